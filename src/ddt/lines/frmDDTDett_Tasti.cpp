// The keyboard map of the line window.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::Form_KeyDown(int& KeyCode, int Shift) {
  (void)KeyCode;
  (void)Shift;
}

void frmDDTDett::Form_KeyPress(int& KeyAscii) { (void)KeyAscii; }
