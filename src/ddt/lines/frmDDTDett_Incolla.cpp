// Cut, copy and paste of lines, marked in the working table's CopiaTaglia.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::CopiaTagliaDett(int16_t piCopiaTaglia) { (void)piCopiaTaglia; }
vb::Variant frmDDTDett::AzzeraCopiaTaglia() { return true; }
void frmDDTDett::IncollaDett() {}
void frmDDTDett::IncollaDaTaglia(const std::string& psCampo, const std::string& psFile) {
  (void)psCampo;
  (void)psFile;
}
vb::Variant frmDDTDett::IncollaDaCopia(const std::string& psCampo, const std::string& psFile) {
  (void)psCampo;
  (void)psFile;
  return int16_t(0);
}
int32_t frmDDTDett::FlaggatiPrimaDiPunt(int32_t& plPrimaDaSpost, const std::string& psCampo,
                                        const std::string& psFile) {
  (void)plPrimaDaSpost;
  (void)psCampo;
  (void)psFile;
  return 0;
}
