// The source and evasion documents page: the invoice that evaded a DDT
// (through its lines, or through the accumulation links for DDTs invoiced
// one line per article), the orders a DDT came from, and the invoice opened
// in the invoicing program.
#include <map>

#include "ddt/header/LettureProva.h"
#include "platform/ui/Griglia.h"
#include "services/LatoMenu.h"

namespace {

using namespace dati::demo;

class Provenienza : public prova::LettureProva {
 protected:
  frmDdtTest& Pagina(long numRif) {
    frmDdtTest& f = Finestra();
    Vai(numRif);
    f.miProvCaricata = 0;
    RipEvasione().Visible = false;
    f.MostraProvenienza();
    return f;
  }
  ui::Elemento& RipEvasione() { return f_->C("tolComPag").Elem("RipEvasione"); }
  std::vector<std::string> Fattura() {
    std::vector<std::string> v;
    for (int n : {2000, 2010, 2020, 2030, 2040}) v.push_back(f_->lab(n).Caption());
    return v;
  }
  ui::Griglia& Origini() { return dynamic_cast<ui::Griglia&>(f_->C("dbgProvenienza")); }
  std::vector<std::string> Riga(long r) {
    std::vector<std::string> v;
    for (int i = 0; i < Origini().NumColonne(); ++i) v.push_back(Origini().TestoCella(r, i));
    return v;
  }
};

TEST_F(Provenienza, EvadedDdtShowsItsInvoice) {
  frmDdtTest& f = Pagina(kDdtEvaso);
  EXPECT_EQ(f.miProvCaricata, 1);
  EXPECT_EQ(Fattura(), (std::vector<std::string>{"2026", "1", "", "1", "30/11/2026"}));
  EXPECT_TRUE(f.C("ComPosizFat").Visible());
  EXPECT_FALSE(RipEvasione().Visible);
  // Not from orders or quotes.
  EXPECT_FALSE(Origini().Visible());
  EXPECT_TRUE(f.C("labProv").Visible());

  // Invoiced one line per article: the link is the accumulation table, not
  // the invoice lines.
  Sql("UPDATE DdtTest SET RagDDT = 'A' WHERE Anno = 2026 AND NumRif = 1");
  Sql("DELETE FROM FatDett WHERE Anno = 2026 AND NumRif = 1");
  Pagina(kDdtEvaso);
  EXPECT_EQ(Fattura(), (std::vector<std::string>{"2026", "1", "", "1", "30/11/2026"}));

  // Evaded, and no invoice found: the evasion can be restored.
  Sql("DELETE FROM FatAccum");
  Pagina(kDdtEvaso);
  EXPECT_EQ(Fattura(), (std::vector<std::string>(5)));
  EXPECT_FALSE(f.C("ComPosizFat").Visible());
  EXPECT_TRUE(RipEvasione().Visible);
}

TEST_F(Provenienza, NotInvoicedDdtShowsNothingAndOffersNoRestore) {
  frmDdtTest& f = Pagina(kDdtEvaso);  // first an invoice on the labels
  Pagina(kDdtStampato);
  EXPECT_EQ(Fattura(), (std::vector<std::string>(5)));
  EXPECT_FALSE(f.C("ComPosizFat").Visible());
  EXPECT_FALSE(RipEvasione().Visible);
}

TEST_F(Provenienza, DdtFromAnOrderListsItsOrders) {
  frmDdtTest& f = Pagina(kDdtModificabile);
  EXPECT_TRUE(Origini().Visible());
  EXPECT_FALSE(f.C("labProv").Visible());
  ASSERT_EQ(Origini().NumRigheEsatto(), 1);
  EXPECT_EQ(Riga(0), (std::vector<std::string>{"2026", "1", "1", "01/12/2026"}));

  // A second order, one more line of the first, and an order that is gone:
  // one row per source document.
  Sql("INSERT INTO OrdVenTest (Anno, NumRif, NumDoc, DataDoc) VALUES (2026, 2, 7, #2026-12-03#)");
  Sql("UPDATE DdtDett SET TipoProv = 'O', AnnoRifProv = 2026, NumRifProv = 2 WHERE Anno = 2026 AND NumRif = 3 AND "
      "RigDet = 2");
  Sql("UPDATE DdtDett SET TipoProv = 'O', AnnoRifProv = 2026, NumRifProv = 1 WHERE Anno = 2026 AND NumRif = 3 AND "
      "RigDet = 3");
  Pagina(kDdtModificabile);
  ASSERT_EQ(Origini().NumRigheEsatto(), 2);
  EXPECT_EQ(Riga(1), (std::vector<std::string>{"2026", "2", "7", "03/12/2026"}));
  Sql("DELETE FROM OrdVenTest WHERE NumRif = 2");
  Pagina(kDdtModificabile);
  ASSERT_EQ(Origini().NumRigheEsatto(), 2);
  EXPECT_EQ(Riga(1), (std::vector<std::string>{"2026", "2", "", ""}));
}

TEST_F(Provenienza, QuotesOrAnUnknownKind) {
  Sql("INSERT INTO PreVenTest (Anno, NumRif, NumDoc, DataDoc) VALUES (2026, 5, 12, #2026-11-28#)");
  Sql("UPDATE DdtDett SET TipoProv = 'P', AnnoRifProv = 2026, NumRifProv = 5 WHERE Anno = 2026 AND NumRif = 3");
  Sql("UPDATE DdtTest SET Provenienza = 'P' WHERE Anno = 2026 AND NumRif = 3");
  frmDdtTest& f = Pagina(kDdtModificabile);
  ASSERT_EQ(Origini().NumRigheEsatto(), 1);
  EXPECT_EQ(Riga(0), (std::vector<std::string>{"2026", "5", "12", "28/11/2026"}));
  Sql("UPDATE DdtTest SET Provenienza = 'X' WHERE Anno = 2026 AND NumRif = 3");
  Pagina(kDdtModificabile);
  EXPECT_FALSE(Origini().Visible());
  EXPECT_TRUE(f.C("labProv").Visible());
}

TEST_F(Provenienza, FilledOnceForTheDdtShown) {
  frmDdtTest& f = Pagina(kDdtEvaso);
  Sql("UPDATE FatTest SET NumDoc = 99 WHERE Anno = 2026 AND NumRif = 1");
  f.MostraProvenienza();  // the page shown again: no query
  EXPECT_EQ(f.lab(2030).Caption(), "1");
  f.miProvCaricata = 0;  // another DDT shown
  f.MostraProvenienza();
  EXPECT_EQ(f.lab(2030).Caption(), "99");
  // While no stored DDT is shown the page keeps what it showed.
  f.ogComPag().EseguiTasto("VarKey");
  f.miProvCaricata = 0;
  f.MostraProvenienza();
  EXPECT_EQ(f.miProvCaricata, 0);
  EXPECT_EQ(f.lab(2030).Caption(), "99");
}

TEST_F(Provenienza, OpenInvoiceAsksTheMenuToLaunchInvoicing) {
  std::map<std::string, std::string> valori;
  std::string lanciato;
  servizi::ImpostaLatoMenu({[this] { return utente_; },
                            [&](const std::string& n, int, bool, const vb::Variant& v) { valori[n] = v.ToString(); },
                            [&](const std::string& s, const std::string&) { lanciato = s; }});
  frmDdtTest& f = Pagina(kDdtEvaso);
  f.ComPosizFat_Click();
  EXPECT_EQ(valori["FatAnno"], "2026");
  EXPECT_EQ(valori["FatNumRif"], "1");
  EXPECT_EQ(lanciato, "Tutti");
  EXPECT_EQ(G().gsLanciaKeyPrim, "Fatture");
  EXPECT_EQ(G().gsLanciaKeySec, "Dir");
}

}  // namespace
