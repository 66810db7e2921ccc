// Kind buttons, combos and check boxes of the line.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::Cob_Click(int) {}
void frmDDTDett::cob_KeyDown(int, int&, int) {}
void frmDDTDett::che_Click(int) {}
void frmDDTDett::com_Click(int) {}
bool frmDDTDett::InVar() { return false; }

void frmDDTDett::AbilDescArt(bool pbAbil) { NoObblManuale(!pbAbil); }
void frmDDTDett::AbilDisabArtRiepil(bool) {}
void frmDDTDett::DisabSeLivelli(bool, bool) {}
