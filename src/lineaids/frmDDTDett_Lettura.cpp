// Line aids: imports from reader files, eco-fee lines, reorder lists. Not
// part of this version yet: their commands say so and change nothing.
#include <string>

#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"

using DettUtil::NonDisponibile;

void frmDDTDett::ImpLetDaFile(const std::string&, bool) { mbLettArtDafile = false; }
void frmDDTDett::ImpLetDaFileMatr(const std::string&, bool) { mbLettMatrDafile = false; }
void frmDDTDett::LeggiDaFileBarCode() { NonDisponibile("La lettura degli articoli da file"); }
void frmDDTDett::LeggiDaFileMatricole() { NonDisponibile("La lettura delle matricole da file"); }
void frmDDTDett::FineLetCodBar() {}
void frmDDTDett::FineLetMatr(bool) {}
void frmDDTDett::AggDaOrdi() {}
void frmDDTDett::RicDaOrdi() { NonDisponibile("Il riordino degli articoli"); }
void frmDDTDett::CancRigaRAEE(const std::string&) {}
void frmDDTDett::AggRigaRAEE() {}
void frmDDTDett::AggSelRAEE() {}
void frmDDTDett::InsVarRigaRAEE() { miStatoRaee = 0; }
void frmDDTDett::CreaRigArtRAEE() {}
void frmDDTDett::DopoInsVarRigaRAEE() { miStatoRaee = 0; }
