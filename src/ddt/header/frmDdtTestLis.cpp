#include "ddt/header/frmDdtTestLis.h"

frmDdtTestLis& FrmDdtTestLis() {
  static frmDdtTestLis f;
  return f;
}
