#pragma once
// The level matrix's bench: the demo company in a real SQLite file (or on
// the PostgreSQL test server), levels managed, and an opener of the test's
// own that answers the document's values from a struct and records the two
// callbacks of the close. Level groups of any size are added by Gruppo;
// stored level rows of the line by Riga.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/ui/Headless.h"

namespace prova {

class ApriFinto : public ApriLivelli {
 public:
  DatiAperturaLivelli dati;
  int chiamateAgg = 0, chiamateDopo = 0;
  double qta = 0, importo = 0;
  std::string scontoTot;
  DatiAperturaLivelli DatiLivelli() const override { return dati; }
  void AggQtaPrzLivelli(double pdQta, double pdPrezzo, frmGestLivelli& pfrm) override {
    ++chiamateAgg;
    qta = pdQta;
    importo = pdPrezzo;
    scontoTot = pfrm.osDetScontoTot;
  }
  void DopoGestLivelli() override { ++chiamateDopo; }
};

class MatriceProva : public RigheProva {
 public:
  static constexpr long kNumRif = 90;
  static constexpr long kRigLiv = 7;

  void SetUp() override {
    RigheProva::SetUp();
    G().gsGesTaglie = "S";
    Param("Mag.GesTaglie", "S");
    Param("Mag.NumDecQta", "0");
    apri_.dati.osAnno = "2026";
    apri_.dati.osNumRif = std::to_string(kNumRif);
    apri_.dati.osDataRif = "10/12/2026";
    apri_.dati.osLivGruppo1 = "TAGLIE";
    apri_.dati.osLivGruppo2 = "COLORI";
    apri_.dati.osFlagLivLis = "2";
    apri_.dati.oiNumDecMon = 2;
    apri_.dati.oiNumDecMonGes = 2;
    apri_.dati.osNumDecQta = "#,###.^^";
    apri_.dati.osMoneta = G().gsCodEuro;
    apri_.dati.osNumDecMonGes = "#,##0.00";
    apri_.dati.osNumDecMonGesPers = "#,##0.00";
  }

  void TearDown() override {
    if (m_ && m_->Caricata()) {
      m_->ofrmMain = nullptr;
      risposte_.clear();
      try {
        m_->Unload();
      } catch (...) {
      }
    }
    m_.reset();
    RigheProva::TearDown();
  }

  // A statement in the engine's own dialect (triggers, constraints).
  void Nativo(const std::string& sql) { db_->Motore(conn_).Esegui(sql); }

  // A level group with its elements.
  void Gruppo(const std::string& gruppo, const std::vector<std::string>& elementi) {
    const auto& fc = vb::FunzioniComuni::Istanza();
    Sql("Insert into LivGruppi (LivGruppo, Descrizione) Values (" + fc.ValoreSql(vb::Variant(gruppo), 8) + ", " +
        fc.ValoreSql(vb::Variant("Gruppo " + gruppo), 8) + ")");
    for (const auto& e : elementi)
      Sql("Insert into LivComp (LivGruppo, Livello) Values (" + fc.ValoreSql(vb::Variant(gruppo), 8) + ", " +
          fc.ValoreSql(vb::Variant(e), 8) + ")");
  }
  static std::vector<std::string> Numerati(const std::string& prefisso, int n) {
    std::vector<std::string> v;
    for (int i = 1; i <= n; ++i) {
      std::string s = std::to_string(i);
      v.push_back(prefisso + std::string(3 - s.size(), '0') + s);
    }
    return v;
  }

  // A stored level row of the line.
  void Riga(const std::string& l1, const std::string& l2, double qta, double prezzo, long rigLiv = kRigLiv) {
    const auto& fc = vb::FunzioniComuni::Istanza();
    Sql("Insert into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario,"
        " ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, QtaProv, StatoRiga) Values (2026, " +
        std::to_string(kNumRif) + ", " + std::to_string(rigLiv) + ", " + fc.ValoreSql(vb::Variant(l1), 8) + ", " +
        fc.ValoreSql(vb::Variant(l2), 8) + ", 0, 'PZ', 1, " + fc.ValoreSql(vb::Variant(qta), 5) + ", " +
        fc.ValoreSql(vb::Variant(prezzo), 5) + ", " + fc.ValoreSql(vb::Variant(qta * prezzo), 5) +
        ", '', '', 0, 0, Null, '')");
  }

  // The line's stored rows, "L1/L2=qta@price" ordered by the pair.
  std::string Righe() {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select Livello1, Livello2, Qta, ValUnitario from DdtLivApp Where Anno = "
                                           "2026 And NumRif = " +
                                               std::to_string(kNumRif) + " And RigLiv = " + std::to_string(kRigLiv) +
                                               " Order By Livello1, Livello2",
                                           false, 4);
    std::string s;
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!s.empty()) s += " ";
      const auto& fc = vb::FunzioniComuni::Istanza();
      s += servizi::Testo(rs.LeggiCampo(k, "Livello1")) + "/" + servizi::Testo(rs.LeggiCampo(k, "Livello2")) + "=" +
           fc.MascheraNum(rs.LeggiCampo(k, "Qta"), 2, {}, false, "#,##0", 0, {}, "^") + "@" +
           fc.MascheraNum(rs.LeggiCampo(k, "ValUnitario"), 2, {}, false, "#,##0", 0, {}, "^");
    }
    rs.ChiudiRecordset(k);
    return s;
  }

  // The matrix opened on the line as an opener opens it.
  frmGestLivelli& Apri(const std::string& vertOriz = "O", int16_t abilRw = 1) {
    m_ = std::make_unique<frmGestLivelli>();
    frmGestLivelli& f = *m_;
    f.ofrmMain = &apri_;
    f.osRigLiv = std::to_string(kRigLiv);
    f.osArticolo = "MAGLIA01";
    f.osUm = "PZ";
    f.odFatCon = 1;
    f.oiTipoGest = 2;
    f.osLiv1VertOriz = vertOriz;
    f.AbilRw(abilRw);
    f.Show(0);
    return f;
  }

  // The box of the cell of a pair of elements (level 2 "" for an article
  // with one level group).
  static ui::Controllo& Box(frmGestLivelli& f, const std::string& l1, const std::string& l2) {
    for (int16_t e1 = 1; e1 <= f.K1(); ++e1)
      for (int16_t e2 = 1; e2 <= f.K2(); ++e2)
        if (f.Livello1Cella(e1, e2) == l1 && (l2.empty() || f.Livello2Cella(e1, e2) == l2))
          return f.txtLiv(f.IndDaEle(e1, e2));
    ADD_FAILURE() << "no cell " << l1 << "/" << l2;
    return f.txtLiv(1);
  }

  // A quantity typed into the cell of a pair and the cell left.
  void Digita(frmGestLivelli& f, const std::string& l1, const std::string& l2, const std::string& testo) {
    ui::Controllo& c = Box(f, l1, l2);
    ui::utente::Fuoco(c);
    c.SetText(testo);
    ui::utente::Fuoco(f.txt(80));
  }

  ApriFinto apri_;
  std::unique_ptr<frmGestLivelli> m_;
};

}  // namespace prova
