#include "common/mainDdt.h"

namespace mainDdt {

vb::Variant PrepDecod(const std::string&, const std::string&, vb::Variant&, vb::Variant&, const vb::Variant& pvOpz1,
                      const vb::Variant& pvOpz2, const vb::Variant&) {
  // The missing options take their defaults (the look-up key F2, option 1);
  // this program lets every decode run as the library prepared it.
  const vb::Variant tasto = pvOpz1.IsMissing() ? vb::Variant(113) : pvOpz1;
  const vb::Variant opzione = pvOpz2.IsMissing() ? vb::Variant(static_cast<int16_t>(1)) : pvOpz2;
  (void)tasto;
  (void)opzione;
  return true;
}

}  // namespace mainDdt
