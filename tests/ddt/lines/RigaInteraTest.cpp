// A whole article line typed on the editable demo DDT, as the user types it
// in the window: the article code brings description, unit, VAT, account,
// the price of the document's list, the customer's discount, the amount in
// the document currency, lire and euro, and the stock beside it; quantity,
// price and amount then keep one another and the lire and euro values in
// step; the stored working row holds what the window shows. And the window
// closed on a new line nobody typed on.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class RigaIntera : public RigheProva {
 protected:
  // The field left for the next one, as the user does with the mouse.
  static void Digita(frmDDTDett& d, int n, const std::string& testo, int prossimo) {
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(n))) << n;
    ui::utente::Digita(d.txt(n), testo);
    ui::utente::Fuoco(d.txt(prossimo));
  }
  std::string Riga(const std::string& colonna) {
    return Valore("Select " + colonna + " from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo = '" +
                      kArticoloViti + "'",
                  colonna);
  }
};

TEST_F(RigaIntera, AnArticleCodeTypedOnANewLineFillsTheWholeLine) {
  // The warehouse year of the document's date and the lire decimals, as the
  // program sets them at start-up; the customer's discount of the DDT; the
  // screws in stock, 5 in the DDT's warehouse and 3 in the shop's.
  Param("Mag.AnnoCorr", "2026");
  Param("Mag.DataInizio", "01/01/2026");
  Param("Mag.DataFine", "31/12/2026");
  G().giNumDecLire = kDecimaliLira;
  Sql("Update DdtTest Set ScontoCli = '5' Where Anno = 2026 And NumRif = 3");
  Sql(std::string("Delete from ArticoliProg Where Articolo = '") + kArticoloViti + "'");
  for (const auto& [mag, qta] : {std::pair{kMagCentrale, "5"}, {kMagNegozio, "3"}})
    Sql(std::string("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, "
                    "QtaCarico, QtaScarico, QtaImpCli, QtaOrdFor) Values (2026, '") +
        mag + "', '" + kArticoloViti + "', '~ç~', '~ç~', " + qta + ", 0, 0, 0, 0)");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  ASSERT_EQ(d.osScontoClie, "5");
  // A new line, started after the first line of the DDT, which came from
  // an order: its entry begins at the article all the same.
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  ASSERT_EQ(d.ActiveControl(), &d.txt(20));
  EXPECT_EQ(d.txt(18).Text(), "A");

  // The code typed and left for the description: on to the quantity.
  Digita(d, 20, kArticoloViti, 26);
  EXPECT_EQ(d.ActiveControl(), &d.txt(30));
  EXPECT_EQ(d.txt(18).Text(), "A");
  EXPECT_EQ(d.txt(20).BackColor(), G().glColoreSfondo);
  EXPECT_EQ(d.txt(26).Text(), "Viti inox M4x10 (confezione da 100 pz)");
  EXPECT_FALSE(d.label1(26).Visible());
  EXPECT_EQ(d.txt(140).Text(), "CF");
  EXPECT_EQ(d.lab(140).Caption(), "Confezioni");
  EXPECT_EQ(d.txt(150).Text(), "1");
  EXPECT_EQ(d.txt(130).Text(), "22");
  EXPECT_EQ(d.lab(130).Caption(), "Aliquota ordinaria 22%");
  EXPECT_EQ(d.odPercIva, 22);
  EXPECT_EQ(d.txt(160).Text(), "60-01-0001");
  EXPECT_EQ(d.lab(160).Caption(), "Ricavi vendita merci");
  // The price of the sales list, with the unit-price decimals of the DDT.
  EXPECT_EQ(d.txt(60).Text(), "12,500");
  EXPECT_EQ(d.txt(175).Text(), "N");
  // The customer's discount alone: no article, quantity or table discount.
  EXPECT_EQ(d.txt(100).Text(), "5");
  for (int n : {90, 110, 120}) EXPECT_EQ(d.txt(n).Text(), "") << n;
  EXPECT_EQ(d.txt(80).Text(), "5");
  EXPECT_EQ(d.lab(80).Caption(), "5");
  // The agent's commission of the header.
  EXPECT_EQ(d.txt(180).Text(), "3");
  // No quantity yet, no amount.
  EXPECT_EQ(d.txt(30).Text(), "");
  EXPECT_EQ(d.txt(70).Text(), "");
  // Own stock and availability, then the counted total.
  EXPECT_EQ(d.lab(210).Caption(), "5 / 8");
  EXPECT_EQ(d.lab(200).Caption(), "5 / 8");
  EXPECT_FALSE(d.label1(210).Visible());

  // The quantity: 10 at 12.50 less 5 % is 118.75, in lire at 1936.27.
  Digita(d, 30, "10", 60);
  EXPECT_EQ(d.txt(60).Text(), "12,500");
  EXPECT_EQ(d.txt(70).Text(), "118,75");
  EXPECT_EQ(d.lab(290).Caption(), "229932");
  EXPECT_EQ(d.lab(300).Caption(), "118,75");
  // From 50 the quantity discount of the screws joins the chain.
  Digita(d, 30, "60", 60);
  EXPECT_EQ(d.txt(120).Text(), "3");
  EXPECT_EQ(d.txt(80).Text(), "5+3");
  EXPECT_EQ(d.lab(80).Caption(), "7,85");
  EXPECT_EQ(d.txt(70).Text(), "691,13");
  // Back to 10: the quantity discount goes again.
  Digita(d, 30, "10", 60);
  EXPECT_EQ(d.txt(120).Text(), "");
  EXPECT_EQ(d.txt(80).Text(), "5");
  EXPECT_EQ(d.txt(70).Text(), "118,75");
  // A typed price (kept in the price's display form, its decimals only
  // when it has some): the amount follows; lire and euro values are plain
  // numbers as text.
  Digita(d, 60, "13", 70);
  EXPECT_EQ(d.txt(60).Text(), "13");
  EXPECT_EQ(d.txt(70).Text(), "123,50");
  EXPECT_EQ(d.lab(290).Caption(), "239129");
  EXPECT_EQ(d.lab(300).Caption(), "123,5");
  // A typed amount: the price follows, before the discount.
  Digita(d, 70, "95", 30);
  EXPECT_EQ(d.txt(60).Text(), "10,000");
  EXPECT_EQ(d.txt(30).Text(), "10");
  EXPECT_EQ(d.lab(290).Caption(), "183946");
  EXPECT_EQ(d.lab(300).Caption(), "95");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();

  // Stored, the working row holds what the window showed.
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  auto numero = [&](const std::string& c) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(Riga(c))); };
  EXPECT_EQ(Riga("TipoRiga"), "A");
  EXPECT_EQ(Riga("Descrizione"), "");
  EXPECT_EQ(numero("Qta"), 10);
  EXPECT_EQ(numero("ValUnitario"), 10);
  EXPECT_EQ(numero("ValTotale"), 95);
  EXPECT_EQ(numero("ValLire"), 183946);
  EXPECT_EQ(numero("ValEuro"), 95);
  EXPECT_EQ(Riga("ScontoCli"), "5");
  EXPECT_EQ(Riga("ScontoTot"), "5");
  EXPECT_EQ(Riga("Iva"), "22");
  EXPECT_EQ(Riga("UM"), "CF");
  EXPECT_EQ(numero("FatCon"), 1);
  EXPECT_EQ(Riga("GruppoVen") + Riga("MastroVen") + Riga("ContoVen"), "60010001");
  EXPECT_EQ(Riga("Promozione"), "N");
  EXPECT_EQ(numero("PercProvv1"), 3);
}

// The window closed on a new line nobody typed on. Closing leaves the field
// being edited as the user would (the window is not yet closing while that
// exit runs): leaving the empty article of a line never shown makes it a
// manual line, which the page then holds as changed and asks about. "No"
// closes without keeping it; "Annulla" keeps the window open.
TEST_F(RigaIntera, AnUntouchedNewLineIsAskedAboutAtTheCloseAndNotKept) {
  const std::string prima = Lavoro(kDdtModificabile, "DdtDett");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  ASSERT_EQ(d.ActiveControl(), &d.txt(20));
  messaggi_.clear();
  risposteBox_.push_back(vb::vbCancel);
  d.Unload();
  ASSERT_TRUE(d.Caricata());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "La riga è stata modificata. Salvare le modifiche?");
  EXPECT_EQ(d.txt(18).Text(), "M");
  EXPECT_EQ(d.ogLinPag().Stato(), 2);
  messaggi_.clear();
  risposteBox_.push_back(vb::vbNo);
  d.Unload();
  EXPECT_FALSE(d.Caricata());
  ASSERT_EQ(messaggi_.size(), 1u) << messaggi_.back();
  EXPECT_EQ(Lavoro(kDdtModificabile, "DdtDett"), prima);
  EXPECT_EQ(Lavoro(kDdtModificabile), "");
}

}  // namespace
}  // namespace prova
