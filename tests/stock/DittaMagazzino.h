#pragma once
// A company for the stock tests, on a SQLite file or (parameter Server) on
// the PostgreSQL test server: one article kept in stock, one warehouse, the
// causes a test asks for, and movement 2026/1 with the rows it adds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/Globali.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "services/DittaProva.h"

namespace prova {

enum class Motore { SQLite, Server };

inline std::string NomeMotore(const ::testing::TestParamInfo<Motore>& i) {
  return i.param == Motore::SQLite ? "SQLite" : "Server";
}

class DittaMagazzino : public DittaProva, public ::testing::WithParamInterface<Motore> {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    if (GetParam() == Motore::Server) {
      if (ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      server_ = std::make_unique<DatabaseServer>();
      dati::CreaSchema(*server_->Apri(), dati::SchemaDitta());
      conn_ = db_->ApriDatabase("", 0, false, false, server_->Connessione());
      G().gsConnAzienda = conn_;
    }
    Sql("Insert Into Articoli (Articolo, Descrizione, ArtMag, FlagLivLis, ArtUM) Values ('ART', 'Articolo', 'S', 0, "
        "'PZ')");
  }
  void TearDown() override {
    DittaProva::TearDown();
    db_.reset();
    server_.reset();
  }

  vb::Variant Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    vb::Variant v = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampo(k, "V");
    rs.ChiudiRecordset(k);
    return v;
  }
  double Num(const std::string& sql) {
    const vb::Variant v = Valore(sql);
    return v.IsNull() ? 0 : v.ToDouble();
  }

  struct Causale {
    std::string carScar = "C", segno = "+", tipoMov = "N", prov = "F", dest = "M";
    int qualeProgrQta = 0;
    std::string aggMedioCar = "N", valorizz = "S", aggMedioPon = "N", aggCostoUlt = "N", acqVen = "";
  };
  void NuovaCausale(const std::string& codice, const Causale& c) {
    Sql("Insert Into MagCausali (MagCausale, Descrizione, TipoMov, CarScar, Segno, Prov, Dest, QualeProgrQta,"
        " AggMedioCar, ValorizzScarico, AggMedioPon, AggCostoUlt, AcqVen, RipartSpese) Values ('" +
        codice + "', 'x', '" + c.tipoMov + "', '" + c.carScar + "', '" + c.segno + "', '" + c.prov + "', '" + c.dest +
        "', " + std::to_string(c.qualeProgrQta) + ", '" + c.aggMedioCar + "', '" + c.valorizz + "', '" +
        c.aggMedioPon + "', '" + c.aggCostoUlt + "', '" + c.acqVen + "', 'N')");
  }
  // Movement 2026/num of the cause, from warehouse A to warehouse B as the
  // cause says, supplier 07-01-0002.
  void Movimento(const std::string& causale, long num = 1, const std::string& data = "2026-03-10") {
    Sql("Insert Into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoProv, MagazzinoDest, Moneta, Cambio,"
        " GruppoCliFor, MastroCliFor, ContoCliFor, ImportoSpese) Values (2026, " +
        std::to_string(num) + ", '" + data + "', '" + causale + "', 'A', 'B', 'Euro', 1, '07', '01', '0002', 0)");
  }
  void RigaDett(long num, long rigLiv, double qta, double prezzo, double costo = 8) {
    const std::string tot = std::to_string(qta * prezzo);
    Sql("Insert Into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, QtaAggMag, UM, FatCon, ValUnitario,"
        " ValTotale, ValLire, ValEuro, ValScarico, ValScaricoLire) Values (2026, " +
        std::to_string(num) + ", " + std::to_string(rigLiv) + ", " + std::to_string(rigLiv) + ", 'ART', " +
        std::to_string(qta) + ", " + std::to_string(qta) + ", 'PZ', 1, " + std::to_string(prezzo) + ", " + tot +
        ", " + tot + ", " + tot + ", " + std::to_string(costo) + ", " + std::to_string(costo) + ")");
  }
  // The progressive row of a warehouse: 100 loaded, 40 unloaded.
  void Progressivo(const std::string& mag, double iniz = 0, double carico = 100, double scarico = 40) {
    Sql("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, ValIniziale,"
        " ValInizialeLire, QtaCarico, ValCarico, ValCaricoLire, QtaScarico, ValScarico, ValScaricoLire, ValScaUC,"
        " ValScaUCLire, ProgrQta1, ProgrQta2) Values (2026, '" +
        mag + "', 'ART', '~ç~', '~ç~', " + std::to_string(iniz) + ", 0, 0, " + std::to_string(carico) +
        ", 1000, 1000, " + std::to_string(scarico) + ", 400, 400, 320, 320, 0, 0)");
  }
  double Prog(const std::string& mag, const std::string& col) {
    return Num("Select " + col + " as V from ArticoliProg Where Magazzino = '" + mag + "'");
  }

  std::unique_ptr<DatabaseServer> server_;
};

}  // namespace prova
