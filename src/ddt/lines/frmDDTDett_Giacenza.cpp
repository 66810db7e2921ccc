// Stock and availability of the line's article.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::MostraDispGiac() {}
