#pragma once
// The header windows' Qt bench: the Qt backend with the common message
// window answered (no message waits for a user), the check that a grid's
// shown columns hold their headings and values whole in the fonts used on
// the screen, and the fixture that puts the header's test bench on Qt.
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"
#include "platform/ui/Griglia.h"

namespace prova {

// The Qt backend, with the common message window answered like the
// headless bench does, so that no message waits for a user.
class BackendQtProva : public ui::BackendQt {
 public:
  std::vector<std::string> messaggi;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() == "frmMsgCom") {
      messaggi.push_back(f.C("LabMessaggio").Text());
      if (f.Esiste("ComEsegui", 0)) ui::utente::Clicca(f.C("ComEsegui", 0));
      if (f.Visible()) f.Hide();
      return;
    }
    ui::BackendQt::AttendiModale(f);
  }
};

// Every shown column of grid `g` holds its heading and its shown values
// whole, in the fonts the grid uses on the screen; the columns in `liberi`
// (free text) need only hold their heading. Returns how many are shown.
inline int ColonneIntere(ui::Griglia& g, const std::set<std::string>& liberi) {
  auto* vista = qobject_cast<QTableView*>(ui::BackendQt::Widget(g));
  if (!vista) {
    ADD_FAILURE() << g.Name() << " is no table";
    return 0;
  }
  const QFontMetrics fmTitolo(vista->horizontalHeader()->font());
  const QFontMetrics fmCella(vista->font());
  int mostrate = 0;
  for (int c = 0; c < g.NumColonne(); ++c) {
    if (vista->isColumnHidden(c)) continue;
    ++mostrate;
    const std::string titolo = g.Colonna(c).Caption;
    int serve = fmTitolo.horizontalAdvance(QString::fromStdString(titolo)) + 8;
    if (!liberi.count(titolo))
      for (long r = 0; r < g.NumRighe(); ++r)
        serve = std::max(serve, fmCella.horizontalAdvance(QString::fromStdString(g.TestoCella(r, c))) + 8);
    EXPECT_GE(vista->columnWidth(c), serve) << g.Name() << ": " << titolo;
  }
  return mostrate;
}

class TestataQt : public TestataProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    TestataProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    TestataProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtProva qt_;
};

}  // namespace prova
