// The record bar and the list page together: the bar's "Lista" shows the
// list window bound by `Collega`, "Seleziona" on a row makes it the bar's
// record, and the bar's "ListaAvanti" and "ListaInd" walk the list's rows.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/MsgBox.h"
#include "platform/barre/BarraFormProva.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

namespace {

// The list window of the registrations, as a window served by a record bar
// is written: the list test window over the bar's table.
class ListaRegistrazioni : public prova::FormListaProva, public barre::navlib::ListaConPagina {
 public:
  using prova::FormListaProva::FormListaProva;
  std::string PrepSql(const std::string& where) override {
    log.push_back("PrepSql " + where);
    osSql = "Select Anno, Numero, Data, Nota From Registrazioni";
    if (!where.empty()) osSql += " where " + where;
    osSql += " Order by Anno, Numero";
    return osSql;
  }

 protected:
  barre::navlib::PaginaLista& PaginaCollegata() override { return ogLisPag; }
};

TEST(ListaBarra, ListShownByTheBarHandsItsRowsToTheBar) {
  ui::HeadlessAttivo();
  std::vector<std::string> messaggi;
  auto prima = vb::ImpostaGestoreMsgBox([&](const std::string& t, int pulsanti, const std::string&) {
    messaggi.push_back(t);
    return (pulsanti & 7) == vb::vbOKOnly ? static_cast<int>(vb::vbOK) : static_cast<int>(vb::vbYes);
  });
  prova::CartellaTemp dir{"listabarra"};
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(dir.Percorso("ditta.db"));
  db.EseguiSql(conn, prova::kDdlSQLite, 64);
  db.Motore(conn).AzzeraCatalogo();
  const std::vector<std::tuple<int, int, const char*>> righe = {
      {2025, 1, "Prima"}, {2025, 2, "Seconda"}, {2026, 1, "Terza"}, {2026, 2, "Quarta"}};
  for (const auto& [anno, numero, nota] : righe)
    db.EseguiSql(conn, "Insert into Registrazioni (Anno, Numero, Data, Nota) Values (" + std::to_string(anno) + ", " +
                           std::to_string(numero) + ", #2026-01-15#, '" + nota + "')");

  ListaRegistrazioni lista(db, conn);
  auto f = std::make_unique<prova::FormRecordProva>();
  f->Load();
  f->Show();
  f->Prepara(db, conn, &lista);
  auto testo = [&](int n) { return f->C("txt", n).Text(); };

  // "Lista": code 9, then the list window loaded and shown
  f->log.clear();
  EXPECT_EQ(f->ButtonComando("Lista").ToString(), "");
  EXPECT_EQ(f->log, (std::vector<std::string>{"P9", "D9"}));
  EXPECT_TRUE(lista.Caricata());
  EXPECT_TRUE(lista.Visible());
  EXPECT_EQ(lista.ogLisPag.BarraOrigine(), f->ogComPag.get());

  // criteria: from 2025 on, every row
  lista.C("txt", 10).SetText("2025");
  lista.ButtonComando("Ricerca");
  ASSERT_NE(lista.ogComlin.Recordset(), nullptr);
  ASSERT_EQ(lista.ogComlin.Recordset()->RecordCount(), 4);

  // "Seleziona" on the second row: that record in the bar's window
  lista.ButtonComando("Successiva");
  lista.ButtonComando("Seleziona");
  EXPECT_EQ(f->ogComPag->oiFlagOpe(), 1);
  EXPECT_EQ(testo(1), "2025");
  EXPECT_EQ(testo(2), "2");
  EXPECT_EQ(testo(5), "Seconda");
  EXPECT_EQ(ui::Screen().ActiveForm, f.get());  // the bar's window comes forward

  // the bar walks the list
  f->ButtonComando("ListaAvanti");
  EXPECT_EQ(testo(1), "2026");
  EXPECT_EQ(testo(2), "1");
  EXPECT_EQ(testo(5), "Terza");
  f->ButtonComando("ListaAvanti");
  EXPECT_EQ(testo(5), "Quarta");
  f->ButtonComando("ListaAvanti");  // past the last row: stays
  EXPECT_EQ(testo(5), "Quarta");
  f->ButtonComando("ListaInd");
  EXPECT_EQ(testo(5), "Terza");
  EXPECT_EQ(f->ogComPag->oiFlagOpe(), 1);
  EXPECT_TRUE(messaggi.empty()) << messaggi.front();

  f->ogComPag.reset();
  f->Unload();
  f.reset();
  lista.Unload();
  vb::ImpostaGestoreMsgBox(prima);
}

}  // namespace
