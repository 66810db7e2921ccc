#pragma once
// The line window of a demo DDT, opened as the user opens it: the header
// shows the DDT and runs "Dettaglio". The header's bench underneath gives
// the demo company on a SQLite file, scripted answers and the messages
// shown.
#include <string>

#include "ddt/header/TestataProva.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace prova {

class RigheProva : public TestataProva {
 protected:
  void TearDown() override {
    frmDDTDett::Rilascia();
    TestataProva::TearDown();
  }

  // The header on DDT numRif, then its lines opened; the first tick of the
  // window's timer (the post-load step) has run.
  frmDDTDett& Righe(long numRif) {
    frmDdtTest& t = Mostra(numRif);
    t.ButtonComando("Dettaglio");
    EXPECT_TRUE(frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata())
        << (messaggi_.empty() ? std::string() : messaggi_.back());
    frmDDTDett& d = frmDDTDett::Istanza();
    Tick(d);
    return d;
  }

  // One tick of the window's timer, when armed.
  static void Tick(frmDDTDett& d) {
    if (d.timLinPag().Enabled()) d.Timer(d.timLinPag());
  }

  // The working rows of the DDT, "RigDet:RigLiv:Articolo" in display order.
  std::string Lavoro(long numRif, const std::string& tabella = "DdtDettApp") {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select RigDet, RigLiv, Articolo from " + tabella +
                                               " Where Anno = 2026 And NumRif = " + std::to_string(numRif) +
                                               " Order By RigDet",
                                           false, 4);
    std::string s;
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!s.empty()) s += " ";
      s += rs.LeggiCampo(k, "RigDet").ToString() + ":" + rs.LeggiCampo(k, "RigLiv").ToString() + ":" +
           servizi::Testo(rs.LeggiCampo(k, "Articolo"));
    }
    rs.ChiudiRecordset(k);
    return s;
  }
};

}  // namespace prova
