#include "platform/barre/frmImgComPag.h"

#include <cctype>
#include <utility>
#include <vector>

#include "platform/Testo.h"

namespace barre {

namespace {

// Command key and picture of the icon theme.
const std::vector<std::pair<const char*, const char*>>& Tabella() {
  static const std::vector<std::pair<const char*, const char*>> t = {
      {"Ricerca", "edit-find"},       {"Salva", "document-save"},      {"Annulla", "edit-undo"},
      {"Cancella", "edit-delete"},    {"Duplica", "edit-copy"},        {"VarKey", "go-top"},
      {"Lista", "view-list-details"}, {"ListaAvanti", "go-down"},      {"ListaInd", "go-up"},
      {"Inizio", "go-first"},         {"Precedente", "go-previous"},   {"Successivo", "go-next"},
      {"Fine", "go-last"},            {"Aggiorna", "view-refresh"},    {"Nuovo", "document-new"},
      {"Stampa", "document-print"},   {"Esci", "application-exit"},    {"Chiudi", "window-close"},
      {"Menu", "go-home"},            {"Dettaglio", "document-open"},  {"Trova", "edit-find"},
      {"Cerca", "edit-find-replace"}, {"Seleziona", "dialog-ok"},      {"Precedente", "go-previous"},
      {"Successiva", "go-next"},
  };
  return t;
}

}  // namespace

frmImgComPag::frmImgComPag() : ui::Form("frmImgComPag") {
  ui::Controllo& lista = Crea(ui::Tipo::ImageList, "ImagePiccole");
  for (const auto& [key, img] : Tabella())
    if (!lista.HaElem(key)) lista.AggiungiElemento(key).Image = img;
}

frmImgComPag& frmImgComPag::Istanza() {
  // Kept to the end of the process and never destroyed: the list of open
  // forms it enters on loading is made after it, so it would go first, and
  // a destructor run at exit would take the form out of a list no longer
  // there.
  static frmImgComPag* f = nullptr;
  if (!f) {
    f = new frmImgComPag();
    f->Load();
  }
  return *f;
}

std::string frmImgComPag::Immagine(const std::string& psKey) {
  for (const auto& [key, img] : Tabella())
    if (vb::UgualeTesto(key, psKey)) return img;
  return "";
}

std::string frmImgComPag::Lettera(const std::string& psKey, const std::string& psTooltip) {
  if (psTooltip.size() >= 3 && psTooltip[0] == '(' && psTooltip[2] == ')')
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(psTooltip[1]))));
  return psKey.empty() ? "?" : std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(psKey[0]))));
}

}  // namespace barre
