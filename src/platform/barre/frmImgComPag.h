#pragma once
// The form without code that holds the picture list `ImagePiccole` of the
// command bars: one picture per command key, named after the icon theme of
// the window system ("document-save" for "Salva"); where the theme has none
// a backend shows the button's letter (the one in brackets opening its
// tooltip, else the key's first).
#include <memory>
#include <string>

#include "platform/ui/Form.h"

namespace barre {

class frmImgComPag : public ui::Form {
 public:
  frmImgComPag();
  // The default instance, loaded on first use.
  static frmImgComPag& Istanza();
  // The picture name of a command key ("" when the list has none).
  static std::string Immagine(const std::string& psKey);
  // The letter shown for a button without a picture.
  static std::string Lettera(const std::string& psKey, const std::string& psTooltip);
};

}  // namespace barre
