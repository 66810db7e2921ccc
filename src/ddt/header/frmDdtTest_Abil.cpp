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

}  // namespace

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

void frmDdtTest::DecodDefault() {
  // Each decoder copies its own defaults: the document type first, the
  // currency second. No look-up window opens here.
  MostraFattDoc(true, false);
  MostraMoneta(true, true, true, false);
  bool si = true, no = false;
  MostraCauTrasp(si, no, no);
  MostraAspetto(si, no, no);
  MostraTrasporto(si, no, no);
}
