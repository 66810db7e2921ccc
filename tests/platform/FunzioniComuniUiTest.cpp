#include <gtest/gtest.h>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/MsgBox.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using namespace ui;
namespace fcu = vb::FunzioniComuniUi;
using vb::Variant;

namespace {

class Maschera : public Form {
 public:
  Maschera() : Form("frmMaschera") {
    for (int i : {10, 20, 30}) Crea(Tipo::TextBox, "txt", i).SetTabIndex(i);
    Crea(Tipo::ComboBox, "cob", 80).SetTabIndex(80);
    Crea(Tipo::Frame, "fraPagina").SetTabIndex(90);
    Crea(Tipo::TextBox, "txtPagina").SetTabIndex(91);
    C("txtPagina").SetContainer(&C("fraPagina"));
  }
  std::vector<std::string> clic;
  void Click(Controllo& c) override { clic.push_back(c.Name()); }
};

class UtilitaCampi : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessAttivo().AzzeraScript();
    prima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return vb::vbOK;
    });
  }
  void TearDown() override { vb::ImpostaGestoreMsgBox(prima_); }
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox prima_;
};

}  // namespace

TEST_F(UtilitaCampi, NumberFieldsAreEditedPlainAndLeftFormatted) {
  Maschera f;
  f.Show();
  auto& t = f.C("txt", 10);
  t.SetText("1.234,50");
  fcu::EntraCampo(t, 7, "#,###.^^", Variant(), vbWindowBackground);
  EXPECT_EQ(t.Text(), "1234,5");
  EXPECT_EQ(t.SelLength(), 6);
  t.SetText("1234,567");
  EXPECT_TRUE(fcu::EsceCampo(t, 7, "#,###.^^"));
  EXPECT_EQ(t.Text(), "1.234,57");
  // A text that is no number keeps its text and shows the error colour ...
  t.SetText("12a");
  EXPECT_FALSE(fcu::EsceCampo(t, 5, "#,###.^^"));
  EXPECT_EQ(t.Text(), "12a");
  EXPECT_EQ(t.BackColor(), 255);
  // ... which goes away once the text is accepted.
  t.SetText("3");
  EXPECT_TRUE(fcu::EsceCampo(t, 5, "#"));
  EXPECT_EQ(t.Text(), "3");
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
  // Whole numbers only for the integer kinds; an empty field is accepted.
  t.SetText("2,5");
  EXPECT_FALSE(fcu::EsceCampo(t, 3, "0"));
  t.SetText("");
  EXPECT_TRUE(fcu::EsceCampo(t, 3, "0"));
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
  // A focus colour is not the checks' business.
  t.SetBackColor(0xFFFF80);
  t.SetText("7");
  EXPECT_TRUE(fcu::EsceCampo(t, 5));
  EXPECT_EQ(t.BackColor(), 0xFFFF80);
}

TEST_F(UtilitaCampi, TheFirstFieldInErrorIsFoundInTabOrder) {
  Maschera f;
  std::string nome;
  int indice = 0;
  bool trovato = true;
  EXPECT_FALSE(fcu::VerifCampiTesto(f, 255, nome, indice, trovato));
  EXPECT_FALSE(trovato);
  EXPECT_EQ(indice, -1);
  f.C("txt", 30).SetBackColor(255);
  f.C("txt", 20).SetBackColor(255);
  EXPECT_TRUE(fcu::VerifCampiTesto(f, 255, nome, indice, trovato));
  EXPECT_EQ(nome, "txt");
  EXPECT_EQ(indice, 20);
  EXPECT_TRUE(trovato);
}

TEST_F(UtilitaCampi, RangesCompareByKindAndTellAReversedOne) {
  Maschera f;
  auto &da = f.C("txt", 10), &a = f.C("txt", 20);
  int ris = -5;
  da.SetText("20");
  a.SetText("3");
  EXPECT_FALSE(fcu::VerifIntervallo(da, a, 2, false, 1, true, true, &ris));
  EXPECT_EQ(ris, 1);
  ASSERT_EQ(messaggi_.size(), 1u);
  // As texts "20" comes before "3".
  EXPECT_TRUE(fcu::VerifIntervallo(da, a, 8, false, 1, false, true, &ris));
  EXPECT_EQ(ris, 0);
  da.SetText("31/12/2026");
  a.SetText("01/01/2027");
  EXPECT_TRUE(fcu::VerifIntervallo(da, a, 7));
  EXPECT_FALSE(fcu::VerifIntervallo(a, da, 7));
  EXPECT_EQ(messaggi_.size(), 1u);  // no message unless asked
  a.SetText("");
  EXPECT_TRUE(fcu::VerifIntervallo(da, a, 7));
  EXPECT_FALSE(fcu::VerifIntervallo(da, a, 7, true));
}

TEST_F(UtilitaCampi, CombosReadAndChooseByCodeAndByValue) {
  Maschera f;
  auto& cob = f.C("cob", 80);
  EXPECT_TRUE(fcu::ValoreCombo(cob).IsEmpty());
  EXPECT_EQ(fcu::CodiceCombo(cob), "");
  for (const char* v : {"N-No", "S-Omaggio", "I-Add.solo Iva"}) cob.AddItem(v);
  cob.SetItemData(0, 1);
  cob.SetItemData(1, 3);
  cob.SetItemData(2, 2);
  EXPECT_TRUE(fcu::SelezCombo(cob, "s"));
  EXPECT_EQ(cob.ListIndex(), 1);
  EXPECT_EQ(fcu::CodiceCombo(cob), "S");
  EXPECT_EQ(fcu::ValoreCombo(cob).ToLong(), 3);
  EXPECT_FALSE(fcu::SelezCombo(cob, "X"));
  EXPECT_EQ(cob.ListIndex(), -1);

  auto& txt = f.C("txt", 10);
  txt.SetText("2");
  EXPECT_TRUE(fcu::SelezComboCtrl(cob, txt, true, true));
  EXPECT_EQ(cob.Text(), "I-Add.solo Iva");
  txt.SetText("N");  // no value, but the code of an item
  EXPECT_TRUE(fcu::SelezComboCtrl(cob, txt, true, true));
  EXPECT_EQ(cob.ListIndex(), 0);
  txt.SetText("9");
  EXPECT_FALSE(fcu::SelezComboCtrl(cob, txt, false, true));
  EXPECT_EQ(cob.ListIndex(), 0);
  EXPECT_FALSE(fcu::SelezComboCtrl(cob, txt, true, true));
  EXPECT_EQ(cob.ListIndex(), -1);

  // The state combo of the list goes back to "Normale" for "N".
  auto& stato = f.Crea(Tipo::ComboBox, "cob", 150);
  for (const char* v : {"Normale", "Stampata", "Evasa", "Tutti"}) stato.AddItem(v);
  stato.SetListIndex(2);
  stato.SetBackColor(255);
  EXPECT_TRUE(fcu::AzzeraTesto(stato, "N", true, true));
  EXPECT_EQ(stato.Text(), "Normale");
  EXPECT_EQ(stato.BackColor(), vbWindowBackground);
  EXPECT_TRUE(fcu::AzzeraTesto(txt, "abc"));
  EXPECT_EQ(txt.Text(), "abc");
}

TEST_F(UtilitaCampi, FocusAndContainers) {
  Maschera f;
  f.Show();
  auto& pagina = f.C("txtPagina");
  f.C("fraPagina").SetEnabled(false);
  EXPECT_FALSE(fcu::ImpostaFuoco(pagina, true));
  EXPECT_THROW(fcu::ImpostaFuoco(pagina, false), vb::Errore);
  EXPECT_TRUE(fcu::AbilContenitore(pagina, true));
  EXPECT_TRUE(f.C("fraPagina").Enabled());
  EXPECT_EQ(f.ActiveControl(), &pagina);
  EXPECT_TRUE(fcu::ImpostaFuoco(f.C("txt", 20)));
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 20));
}

TEST_F(UtilitaCampi, FormsArePlacedAndShownAndTheirFailureComesAsANumber) {
  Screen().Width = 15360;
  Screen().Height = 11520;
  Maschera f;
  f.Move(0, 0, 6000, 4000);
  EXPECT_FALSE(fcu::FormAperte());
  EXPECT_EQ(fcu::PosizForm(f, -1, 0, true), 0);
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(f.Left(), (15360 - 6000) / 2);
  EXPECT_TRUE(fcu::FormAperte());
  f.Hide();
  EXPECT_FALSE(fcu::FormAperte());  // loaded but hidden: not open

  Maschera dialogo;
  HeadlessAttivo().Rispondi([](Form& d) {
    // While the modal is up, a modeless form cannot be shown: 401.
    Maschera altro;
    const long r = fcu::PosizForm(altro, -1, 0);
    EXPECT_EQ(r, -501);
    EXPECT_EQ(-(vb::FunzioniComuni::Istanza().CodiceErrore(r) + 100), 401);
    d.Hide();
  });
  EXPECT_EQ(fcu::PosizForm(dialogo, 2, 1), 0);
  EXPECT_EQ(dialogo.WindowState(), vbMaximized);
  EXPECT_TRUE(HeadlessAttivo().ScriptFinito());
  Screen() = Schermo{};
}

TEST_F(UtilitaCampi, ValuesOfControlsAndDateAndTimeChecks) {
  Maschera f;
  auto& t = f.C("txt", 10);
  EXPECT_TRUE(fcu::ValoreControllo(t, vb::vbString).IsNull());
  t.SetText("311226");
  Variant v;
  EXPECT_EQ(fcu::ValoreControllo(t, vb::vbDate, &v).ToDate().ToDateText(), "31/12/2026");
  EXPECT_EQ(v.ToDate().ToDateText(), "31/12/2026");
  EXPECT_EQ(fcu::ValoreControllo(t, vb::vbString).ToString(), "311226");

  std::string msg;
  EXPECT_EQ(fcu::ControllaData(t, -2, false, &msg), static_cast<long>(vb::Date::FromYmd(2026, 12, 31).Serial()));
  EXPECT_EQ(t.Text(), "31/12/2026");
  t.SetText("31/02/2026");
  EXPECT_EQ(fcu::ControllaData(t, -2, true, &msg), -657434);
  EXPECT_EQ(msg, "Data non valida");
  EXPECT_EQ(messaggi_.size(), 1u);
  t.SetText("");
  EXPECT_EQ(fcu::ControllaData(t, -2, false), 0);
  EXPECT_EQ(fcu::ControllaData(t, 1, false, &msg), -657434);
  EXPECT_EQ(msg, "Data obbligatoria");

  for (auto [scritto, atteso] : std::vector<std::pair<std::string, std::string>>{
           {"8", "08:00"}, {"830", "08:30"}, {"8.30", "08:30"}, {"8,5", "08:05"}, {"23:59", "23:59"}}) {
    t.SetText(scritto);
    EXPECT_EQ(fcu::ControllaOra(t, "hh:mm", 0, 2, 0, 0).ToString(), atteso) << scritto;
  }
  t.SetText("24:00");
  EXPECT_EQ(fcu::ControllaOra(t, "hh:mm", 0, 2, 0, 0).ToInt(), -2);
  t.SetText("8h");
  EXPECT_EQ(fcu::ControllaOra(t, "hh:mm", 0, 2, 0, 0).ToInt(), -2);
  t.SetText("");
  EXPECT_EQ(fcu::ControllaOra(t, "hh:mm", 0, 2, 0, 0).ToInt(), -1);
  EXPECT_EQ(fcu::ControllaOra(t, "hh:mm", true).ToInt(), -3);
}

namespace {
class ConDialogoCaratteri : public Headless {
 public:
  bool ScegliCarattere(Carattere& f) override {
    ++aperto;
    if (annulla) return false;
    f.Name = "Arial";
    f.Size = 12;
    return true;
  }
  int aperto = 0;
  bool annulla = false;
};
}  // namespace

TEST_F(UtilitaCampi, TheFontDialogOfTheWindowSystemChoosesAFont) {
  ConDialogoCaratteri b;
  ImpostaBackend(&b);
  Carattere codFont;
  EXPECT_EQ(fcu::ScegliCarattere(codFont).Name, "Arial");
  EXPECT_EQ(codFont.Size, 12);
  b.annulla = true;
  codFont.Size = 9;
  EXPECT_EQ(fcu::ScegliCarattere(codFont).Size, 9);
  EXPECT_EQ(b.aperto, 2);
  ImpostaBackend(nullptr);
  Carattere senza;
  EXPECT_EQ(fcu::ScegliCarattere(senza), Carattere{});  // headless: as if cancelled
}

TEST_F(UtilitaCampi, GridColumnsTakeTheirDefaultDisplayAndCellsAreWrittenByName) {
  prova::CartellaTemp dir("fcugriglia");
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(dir.Percorso("ditta.db"));
  dati::Connessione& m = db.Motore(conn);
  m.Esegui("CREATE TABLE Spese (Codice VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY, "
           "Descrizione VARCHAR(50) COLLATE NOCASE, Importo CURRENCY, Perc DOUBLE, Riga INTEGER, DataIns DATETIME)");
  m.AzzeraCatalogo();
  db.EseguiSql(conn, "Insert into Spese Values ('T', 'Trasporto', 1234.5, 22, 1, #2026-12-10#)");
  db.EseguiSql(conn, "Insert into Spese Values ('I', Null, 0, 0, 2, Null)");
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(db, conn, "", "Select * from Spese order by Riga", false, 2);

  Maschera f;
  auto& dat = f.Crea<DatiControllo>(Tipo::Data, "datRiga");
  auto& grd = f.Crea<Griglia>(Tipo::DataGrid, "dbgRiga");
  grd.SetDataSource(&dat);
  dat.SetRecordset(&rs.RecordsetDao(k));
  grd.ColonneDaCampi();
  grd.Colonna(0).Caption.clear();
  fcu::FormatColonneDati(f, grd, rs, k, "M", "999/99/9999", "dd/mm/yyyy");
  EXPECT_EQ(grd.Colonna(0).Caption, "Codice");
  EXPECT_EQ(grd.Colonna(2).NumberFormat, "#,##0.00");
  EXPECT_EQ(grd.Colonna(2).Alignment, 1);
  EXPECT_EQ(grd.Colonna(4).Alignment, 1);
  EXPECT_EQ(grd.Colonna(5).NumberFormat, "dd/mm/yyyy");
  EXPECT_EQ(grd.TestoCella(2), "1.234,50");
  EXPECT_EQ(grd.TestoCella(5), "10/12/2026");

  // "fieldsize": the characters of the value in the current row.
  const dati::Recordset& r = rs.RecordsetDao(k);
  EXPECT_EQ(fcu::ValCampo(r, "Descrizione").ToInt(), 9);
  EXPECT_EQ(fcu::ValCampo(r, "Importo").ToInt(), 0);
  EXPECT_THROW(fcu::ValCampo(r, "Manca"), vb::Errore);

  EXPECT_TRUE(fcu::ContaRigheGriglia(grd, "descrizione", Variant("Trasporto merci")));
  EXPECT_TRUE(grd.SalvaRiga());
  EXPECT_EQ(rs.LeggiCampo(k, "Descrizione").ToString(), "Trasporto merci");
  EXPECT_THROW(fcu::ContaRigheGriglia(grd, "Manca", Variant(1)), vb::Errore);
}
