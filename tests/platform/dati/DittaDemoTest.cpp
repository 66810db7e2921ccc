#include "platform/dati/DittaDemo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Currency.h"
#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "support/CartellaTemp.h"

namespace {

using namespace dati::demo;
using Riga = std::map<std::string, vb::Variant>;

// The rows of a query, each field read the program's way (Null as "" or 0).
std::vector<Riga> Leggi(dati::GestDatabase& db, const std::string& k, const std::string& sql,
                        const std::vector<std::string>& campi) {
  dati::GestRecordset rs;
  const std::string r = rs.ApriRecordset(db, k, "", sql, false, 4);
  std::vector<Riga> out;
  while (!rs.FineRec(r)) {
    Riga x;
    for (const auto& c : campi) x[c] = rs.LeggiCampo(r, c);
    out.push_back(std::move(x));
    rs.ProssimoRec(r);
  }
  rs.ChiudiRecordset(r);
  return out;
}

long Conta(dati::GestDatabase& db, const std::string& k, const std::string& daWhere) {
  return Leggi(db, k, "Select Count(*) as N from " + daWhere, {"N"}).at(0).at("N").ToLong();
}

// Hundredths of an amount column (the demo's amounts have two decimals).
int64_t Cent(const vb::Variant& v) {
  const int64_t raw = v.ToCurrency().Raw();
  EXPECT_EQ(raw % 100, 0) << "importo con più di due decimali: " << v.ToString();
  return raw / 100;
}
int64_t Cent(double d) { return vb::Currency::FromDouble(d).Raw() / 100; }

std::string Anno() { return std::to_string(kAnno); }

void VerificaTotali(dati::GestDatabase& db, const std::string& k, const TotaliDdt& atteso, int64_t esenteAtteso) {
  SCOPED_TRACE("DDT " + std::to_string(atteso.numRif));
  const std::string doc = " Anno = " + Anno() + " And NumRif = " + std::to_string(atteso.numRif);
  const auto t = Leggi(db, k, "Select * from DdtTest Where" + doc,
                       {"TotMerce", "TotSpese", "TotImpon", "TotIva", "TotDocum", "PrezziIvati"});
  ASSERT_EQ(t.size(), 1u);
  const Riga& h = t[0];
  EXPECT_EQ(h.at("PrezziIvati").ToString(), "N");

  // Goods: the lines of articles; VAT bases by code, lines and expenses.
  std::map<std::string, int64_t> basi;
  int64_t merce = 0, spese = 0;
  for (const auto& r : Leggi(db, k,
                             "Select DdtDett.Iva, DdtDett.ValTotale, DdtDett.TipoRiga from DdtDett Where" + doc +
                                 " Order By RigDet",
                             {"Iva", "ValTotale", "TipoRiga"})) {
    const std::string tipo = r.at("TipoRiga").ToString();
    if (tipo != "A" && tipo != "M") {
      EXPECT_EQ(Cent(r.at("ValTotale")), 0);
      continue;
    }
    merce += Cent(r.at("ValTotale"));
    basi[r.at("Iva").ToString()] += Cent(r.at("ValTotale"));
  }
  for (const auto& r : Leggi(db, k, "Select Iva, Importo from DdtSpese Where" + doc, {"Iva", "Importo"})) {
    spese += Cent(r.at("Importo"));
    basi[r.at("Iva").ToString()] += Cent(r.at("Importo"));
  }
  int64_t imponibile = 0, iva = 0, esente = 0;
  for (const auto& [codice, base] : basi) {
    const auto ti = Leggi(db, k, "Select Aliquota, TipoIva from TabIva Where Iva = '" + codice + "'",
                          {"Aliquota", "TipoIva"});
    ASSERT_EQ(ti.size(), 1u) << "codice IVA " << codice;
    const std::string tipo = ti[0].at("TipoIva").ToString();
    if (tipo == "2" || tipo == "3" || tipo == "4" || tipo == "5") {
      esente += base;
    } else {
      imponibile += base;
      const int64_t aliquota = ti[0].at("Aliquota").ToLong();
      iva += (base * aliquota + 50) / 100;
    }
  }
  EXPECT_EQ(Cent(h.at("TotMerce")), merce);
  EXPECT_EQ(Cent(h.at("TotSpese")), spese);
  EXPECT_EQ(Cent(h.at("TotImpon")), imponibile);
  EXPECT_EQ(Cent(h.at("TotIva")), iva);
  EXPECT_EQ(Cent(h.at("TotDocum")), imponibile + iva + esente);
  EXPECT_EQ(merce + spese, imponibile + esente);

  // The figures other tests rely on.
  EXPECT_EQ(merce, Cent(atteso.merce));
  EXPECT_EQ(spese, Cent(atteso.spese));
  EXPECT_EQ(imponibile, Cent(atteso.imponibile));
  EXPECT_EQ(iva, Cent(atteso.iva));
  EXPECT_EQ(imponibile + iva + esente, Cent(atteso.documento));
  EXPECT_EQ(esente, esenteAtteso);
}

// Every line of an article with levels has level rows that add up to it,
// with levels of the article's groups; the same for the movements.
void VerificaLivelli(dati::GestDatabase& db, const std::string& k, const std::string& dett, const std::string& liv,
                     const std::string& numero) {
  SCOPED_TRACE(dett);
  const auto righe = Leggi(db, k,
                           "Select " + dett + ".Anno, " + dett + "." + numero + ", " + dett + ".RigLiv, " + dett +
                               ".Qta, " + dett + ".ValTotale, Articoli.LivGruppo1, Articoli.LivGruppo2 from " + dett +
                               " inner join Articoli on " + dett + ".Articolo = Articoli.Articolo" +
                               " Where Articoli.LivGruppo1 <> ''",
                           {"Anno", numero, "RigLiv", "Qta", "ValTotale", "LivGruppo1", "LivGruppo2"});
  ASSERT_FALSE(righe.empty());
  for (const auto& r : righe) {
    const std::string chiave = " Anno = " + r.at("Anno").ToString() + " And " + numero + " = " +
                               r.at(numero).ToString() + " And RigLiv = " + r.at("RigLiv").ToString();
    SCOPED_TRACE(chiave);
    const auto livelli =
        Leggi(db, k, "Select * from " + liv + " Where" + chiave, {"Livello1", "Livello2", "Qta", "ValTotale"});
    ASSERT_FALSE(livelli.empty());
    double qta = 0;
    int64_t totale = 0;
    const std::string g1 = r.at("LivGruppo1").ToString(), g2 = r.at("LivGruppo2").ToString();
    for (const auto& l : livelli) {
      qta += l.at("Qta").ToDouble();
      totale += Cent(l.at("ValTotale"));
      EXPECT_EQ(Conta(db, k, "LivComp Where LivGruppo = '" + g1 + "' And Livello = '" +
                                 l.at("Livello1").ToString() + "'"),
                1);
      if (g2.empty())
        EXPECT_EQ(l.at("Livello2").ToString(), kNessunLivello);
      else
        EXPECT_EQ(Conta(db, k, "LivComp Where LivGruppo = '" + g2 + "' And Livello = '" +
                                   l.at("Livello2").ToString() + "'"),
                  1);
    }
    EXPECT_DOUBLE_EQ(qta, r.at("Qta").ToDouble());
    EXPECT_EQ(totale, Cent(r.at("ValTotale")));
  }
}

void VerificaDitta(dati::GestDatabase& db, const std::string& k) {
  // One DDT per state, and the internal one.
  EXPECT_EQ(Conta(db, k, "DdtTest"), kNumeroDdt);
  std::map<long, std::string> stati;
  for (const auto& r : Leggi(db, k, "Select NumRif, Stato from DdtTest", {"NumRif", "Stato"}))
    stati[r.at("NumRif").ToLong()] = r.at("Stato").ToString();
  EXPECT_EQ(stati[kDdtEvaso], "E");
  EXPECT_EQ(stati[kDdtStampato], "S");
  EXPECT_EQ(stati[kDdtModificabile], "");
  EXPECT_EQ(stati[kDdtInterno], "");

  VerificaTotali(db, k, kTotaliDdtEvaso, 0);
  VerificaTotali(db, k, kTotaliDdtStampato, 0);
  VerificaTotali(db, k, kTotaliDdtModificabile, Cent(kEsenteDdtModificabile));
  VerificaTotali(db, k, kTotaliDdtInterno, 0);

  VerificaLivelli(db, k, "DdtDett", "DdtLiv", "NumRif");
  VerificaLivelli(db, k, "MovMagDett", "MovMagLiv", "NumReg");
  EXPECT_EQ(Conta(db, k,
                  "DdtLiv Where Anno = " + Anno() + " And NumRif = " + std::to_string(kDdtStampato) +
                      " And RigLiv = " + std::to_string(kRigLivMaglia)),
            3);

  // The evaded DDT: its invoice, reached from the invoice lines.
  const auto fatture = Leggi(db, k,
                             "Select Distinct FatTest.NumRif, FatTest.NumDoc from FatTest inner join FatDett on "
                             "FatTest.Anno = FatDett.Anno And FatTest.NumRif = FatDett.NumRif Where "
                             "FatDett.TipoProv = 'D' And FatDett.AnnoRifProv = " +
                                 Anno() + " And FatDett.NumRifProv = " + std::to_string(kDdtEvaso),
                             {"NumRif", "NumDoc"});
  ASSERT_EQ(fatture.size(), 1u);
  EXPECT_EQ(fatture[0].at("NumRif").ToLong(), kFatturaEvasione);
  EXPECT_EQ(Conta(db, k, "FatAccum Where DDTNumRif = " + std::to_string(kDdtEvaso)), 1);

  // Printed DDTs carry their movement; the numerator knows their numbers.
  for (long n : {kDdtEvaso, kDdtStampato}) {
    const auto m = Leggi(db, k, "Select AnnoMovim, NumMovim, NumDoc from DdtTest Where NumRif = " + std::to_string(n),
                         {"AnnoMovim", "NumMovim", "NumDoc"});
    EXPECT_EQ(Conta(db, k,
                    "MovMagTes Where Anno = " + m[0].at("AnnoMovim").ToString() +
                        " And NumReg = " + m[0].at("NumMovim").ToString() + " And MagCausale = '" +
                        kCausaleVendita + "'"),
              1);
    EXPECT_LE(m[0].at("NumDoc").ToLong(), kUltimoNumDoc);
  }
  EXPECT_EQ(Leggi(db, k, "Select Numero from NumerDdt Where Anno = " + Anno() + " And Prefisso = ''", {"Numero"})
                .at(0)
                .at("Numero")
                .ToLong(),
            kUltimoNumDoc);

  // Serial numbers: one per piece, each loaded before it was sold.
  const auto matr = Leggi(db, k,
                          "Select Matricola from DdtMatr Where NumRif = " + std::to_string(kDdtEvaso) +
                              " And RigLiv = " + std::to_string(kRigLivTrapano),
                          {"Matricola"});
  EXPECT_EQ(matr.size(), 2u);
  for (const auto& m : matr) {
    const std::string s = m.at("Matricola").ToString();
    EXPECT_EQ(Conta(db, k, "MovMagMatr Where Matricola = '" + s + "' And TipOpe = 'C'"), 1) << s;
    EXPECT_EQ(Conta(db, k, "MovMagMatr Where Matricola = '" + s + "' And TipOpe = 'S'"), 1) << s;
  }
  EXPECT_EQ(Conta(db, k, std::string("MovMagMatr Where Matricola = '") + kMatricola3 + "'"), 1);

  // The lot row of the editable DDT: the line's quantity, a known lot.
  const auto lotti = Leggi(db, k,
                           "Select DdtRintraccia.Qta, DdtDett.Qta as QtaRiga from DdtRintraccia inner join DdtDett on "
                           "DdtRintraccia.Anno = DdtDett.Anno And DdtRintraccia.NumReg = DdtDett.NumRif And "
                           "DdtRintraccia.RigLiv = DdtDett.RigLiv inner join Lotti on DdtRintraccia.Articolo = "
                           "Lotti.Articolo And DdtRintraccia.Lotto = Lotti.Lotto And DdtRintraccia.NrProgLotto = "
                           "Lotti.NrProgLotto And DdtRintraccia.ContoCliFor = Lotti.ContoCliFor",
                           {"Qta", "QtaRiga"});
  ASSERT_EQ(lotti.size(), 1u);
  EXPECT_DOUBLE_EQ(lotti[0].at("Qta").ToDouble(), lotti[0].at("QtaRiga").ToDouble());

  // Stock on hand of the central warehouse after the loads and the sales.
  auto giacenza = [&](const char* articolo) {
    const auto p = Leggi(db, k,
                         std::string("Select Sum(QtaIniziale + QtaCarico - QtaScarico) as G from ArticoliProg Where "
                                     "Magazzino = '") +
                             kMagCentrale + "' And Articolo = '" + articolo + "'",
                         {"G"});
    return p.at(0).at("G").ToDouble();
  };
  EXPECT_DOUBLE_EQ(giacenza(kArticoloViti), 230);
  EXPECT_DOUBLE_EQ(giacenza(kArticoloMatricole), 1);
  EXPECT_DOUBLE_EQ(giacenza(kArticoloLotti), 36);
  EXPECT_DOUBLE_EQ(giacenza(kArticoloTaglie), 14);
  EXPECT_DOUBLE_EQ(giacenza(kArticoloUnLivello), 17);

  // Masters the program reads by fixed codes.
  const auto monete = Leggi(db, k, "Select Moneta, NumDec from Monete", {"Moneta", "NumDec"});
  std::map<std::string, long> decimali;
  for (const auto& m : monete) decimali[m.at("Moneta").ToString()] = m.at("NumDec").ToLong();
  EXPECT_EQ(decimali[kEuro], kDecimaliEuro);
  EXPECT_EQ(decimali[kLira], kDecimaliLira);
  const auto cambio = Leggi(db, k,
                            std::string("Select Top 1 Cambio from CambiMonete Where Moneta = '") + kDollaro +
                                "' And DataCambio <= #07/15/2026# Order By DataCambio Desc",
                            {"Cambio"});
  ASSERT_EQ(cambio.size(), 1u);
  EXPECT_DOUBLE_EQ(cambio[0].at("Cambio").ToDouble(), 1.0824);
  EXPECT_GT(Conta(db, k, "ArrotLire"), 0);
  EXPECT_GT(Conta(db, k, "ArrotEuro"), 0);
  EXPECT_EQ(Conta(db, k, "LockGest"), 0);
  EXPECT_EQ(Conta(db, k, "Listini Where Ivato = 'S'"), 1);
  EXPECT_EQ(Conta(db, k, std::string("ArtLisPromozioni Where Articolo = '") + kArticoloPromo + "'"), 1);
  EXPECT_EQ(Conta(db, k,
                  std::string("PianoConti Where Gruppo = '") + kGruppoClienti + "' And Mastro = '" + kMastroClienti +
                      "' And Conto = '" + kCliente1 + "' And Tipo = '3'"),
            1);
  EXPECT_EQ(Conta(db, k, std::string("Articoli Where BarCode = '") + kBarCodeMaglia + "'"), 1);
  EXPECT_EQ(Conta(db, k, "Sconti Where Gruppo = '~ç' And Conto = '~ç~'"), 1);
}

// A second run finds the DDTs and leaves everything as it was.
void VerificaRifiuto(dati::GestDatabase& db, const std::string& k) {
  const long conti = Conta(db, k, "PianoConti");
  std::string descrizione;
  EXPECT_EQ(prova::NumeroErrore([&] { dati::CreaDittaDemo(db, k); }, &descrizione), vb::ErrChiamataNonValida);
  EXPECT_NE(descrizione.find("contiene già"), std::string::npos) << descrizione;
  EXPECT_EQ(Conta(db, k, "DdtTest"), kNumeroDdt);
  EXPECT_EQ(Conta(db, k, "PianoConti"), conti);
  EXPECT_EQ(db.Motore(k).LivelloTransazione(), 0);
}

}  // namespace

TEST(DittaDemoTest, SuFileSQLite) {
  prova::CartellaTemp dir("demo");
  dati::GestDatabase db;
  const std::string k = db.CreaDatabase(dir.Percorso("demo.db"));
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  dati::CreaDittaDemo(db, k);
  VerificaDitta(db, k);
  VerificaRifiuto(db, k);
}

TEST(DittaDemoTest, SulServer) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer server;
  dati::GestDatabase db;
  const std::string k = db.ApriDatabase("", 0, false, false, server.Connessione());
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  dati::CreaDittaDemo(db, k);
  VerificaDitta(db, k);
  VerificaRifiuto(db, k);
}

TEST(DittaDemoTest, RifiutaAncheConAnagraficheGiaPresenti) {
  prova::CartellaTemp dir("demo");
  dati::GestDatabase db;
  const std::string k = db.CreaDatabase(dir.Percorso("demo.db"));
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  db.EseguiSql(k, "INSERT INTO Articoli (Articolo, Descrizione) VALUES ('X1', 'Articolo già presente')");
  EXPECT_EQ(prova::NumeroErrore([&] { dati::CreaDittaDemo(db, k); }), vb::ErrChiamataNonValida);
  EXPECT_EQ(Conta(db, k, "Monete"), 0);
  EXPECT_EQ(Conta(db, k, "Articoli"), 1);
}
