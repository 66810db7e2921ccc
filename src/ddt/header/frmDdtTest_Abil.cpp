// What the user may edit on the header: by the DDT's state (a printed DDT
// keeps little, an evaded one nothing), by the price source of the
// warehouse cause, by the internal-transfer flag, and, for the transport
// data, by whether a master code or free text stands in the field. Also the
// copy of the hidden flag and option boxes into the check and combo boxes
// that show them.
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

namespace {

void Abilita(const ui::Form& f, const char* nome, int indice, bool abil) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetEnabled(abil);
}

void Mostra(const ui::Form& f, const char* nome, int indice, bool vis) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetVisible(vis);
}

// Check box value of a hidden flag: 1 "S", 0 "N", grayed for anything else.
int ValoreFlag(const std::string& codice) {
  if (vb::UgualeTesto(codice, "S")) return 1;
  if (vb::UgualeTesto(codice, "N")) return 0;
  return 2;
}

// An item by position; none when the list does not hold it.
void Scegli(ui::Controllo& c, int i) { c.SetListIndex(i >= 0 && i < c.ListCount() ? i : -1); }

}  // namespace

void frmDdtTest::AbilAspetto(bool& pbAbil) { Abilita(*this, "txt", 1100, pbAbil); }

void frmDdtTest::AbilCauTras(bool pbAbil) { Abilita(*this, "txt", 1070, pbAbil); }

void frmDdtTest::AbilResi(bool pbAbil) { Abilita(*this, "txt", 1130, pbAbil); }

void frmDdtTest::AbilTrasporto(bool pbAbil) { Abilita(*this, "txt", 1160, pbAbil); }

void frmDdtTest::AbilDestin(bool pbAbil) {
  for (int n : {810, 820, 850, 860, 870, 880, 890}) Abilita(*this, "txt", n, pbAbil);
}

void frmDdtTest::AbilVettore(bool& pbAbil) {
  for (int n : {960, 980, 990, 1000, 1010}) Abilita(*this, "txt", n, pbAbil);
  // With the plate kept on the DDT it stays editable beside a carrier code.
  Abilita(*this, "txt", 1015, mbMemTargaVet || pbAbil);
}

void frmDdtTest::AbilDdtInterno(bool pbInterno) {
  Mostra(*this, "txt", 88, pbInterno);
  Mostra(*this, "ComHlp", 88, pbInterno);
  Mostra(*this, "label1", 88, pbInterno);
  Mostra(*this, "lab", 88, pbInterno);
  // An internal transfer is never invoiced.
  Abilita(*this, "che", 300, !pbInterno);
}

void frmDdtTest::AbilDisabVariaz(bool& pbStatoVuoto, bool& pbNonStampato) {
  Abilita(*this, "PicMain", -1, pbStatoVuoto);
  if (HaBarra()) ogComPag().CtrlPrimoDato(txt(pbStatoVuoto ? 30 : 220));
  int k = -1;
  if (ui::Controllo* tas = Trova("TasPagine")) k = tas->SelectedTab() - 1;
  for (int p = 1; p <= 4; ++p) Abilita(*this, "PicPagine", p, p == k && pbStatoVuoto);
  if (vb::UgualeTesto(txt(110).Text(), "E")) {
    Abilita(*this, "PicPagine", 0, false);
    return;
  }
  Abilita(*this, "PicPagine", 0, k == 0);
  AbilListino(false, pbNonStampato);
  for (int n : {240, 270, 290, 88}) Abilita(*this, "txt", n, pbNonStampato);
  Abilita(*this, "ComHlp", 270, pbNonStampato);
}

void frmDdtTest::AbilListino(bool pbModifica, bool pbNonStampato) {
  if (vb::UgualeTesto(msQualeImporto, "L")) {
    Abilita(*this, "txt", 200, pbNonStampato);
    Abilita(*this, "ComHlp", 200, pbNonStampato);
    return;
  }
  Abilita(*this, "txt", 200, false);
  Abilita(*this, "ComHlp", 200, false);
  msMonetaListino.clear();
  if (pbModifica) {
    txt(200).SetText("");
    lab(200).SetCaption("");
  }
}

void frmDdtTest::AggNonText() {
  // The combo clicks fired by the copy must not write back.
  const int16_t sospesiPrima = miTxtRientro;
  if (miTxtRientro < 1) miTxtRientro = 1;
  struct Ripristina {
    int16_t& v;
    int16_t prima;
    ~Ripristina() { v = prima; }
  } ripristina{miTxtRientro, sospesiPrima};

  const std::string stato = txt(110).Text();
  lab(110).SetCaption(vb::UgualeTesto(stato, "E") ? "Evaso" : vb::UgualeTesto(stato, "S") ? "Stampato" : "");
  for (int n : {210, 260, 280, 300, 235})
    if (ui::Controllo* c = Trova("che", n)) c->SetValue(ValoreFlag(txt(n).Text()));
  if (ui::Controllo* c = Trova("cob", 440)) vb::FunzioniComuniUi::SelezComboCtrl(*c, txt(440), true, true);
  if (ui::Controllo* c = Trova("cob", 450)) {
    static constexpr const char* kCodici[] = {"S", "N", "A", "D", "E", "O", "C"};
    int scelto = -1;
    for (int i = 0; i < 7; ++i)
      if (vb::UgualeTesto(txt(450).Text(), kCodici[i])) scelto = i;
    Scegli(*c, scelto);
  }
  MostraOrdProv();
  for (int n : {470, 515})
    if (ui::Controllo* c = Trova("cob", n)) {
      if (!vb::FunzioniComuniUi::SelezCombo(*c, vb::Variant(txt(n).Text()))) c->SetListIndex(-1);
    }
  if (ui::Controllo* c = Trova("che", 600)) c->SetValue(ValoreFlag(txt(600).Text()));
  if (ui::Controllo* c = Trova("cob", 620)) {
    const std::string v = txt(620).Text();
    Scegli(*c, vb::UgualeTesto(v, "N") ? 0 : vb::UgualeTesto(v, "S") ? 1 : vb::UgualeTesto(v, "E") ? 2 : -1);
  }
  MostraRitAcc();
}
