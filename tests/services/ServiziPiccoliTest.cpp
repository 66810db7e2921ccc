// Price-list periods and the promotion notice; the small data services;
// the linked invoice; the fiscal year of a print date; the batch/lot load
// check.
#include <gtest/gtest.h>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "services/DittaProva.h"
#include "services/LatoMenu.h"

using namespace AziendaUtil;

namespace {

class Servizi : public prova::DittaProva {
 protected:
  void Listino(const std::string& inizio, const std::string& fine = "2099-01-01") {
    Sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo) Values "
        "('ART', '01', '~ç~', '~ç~', #" +
        inizio + "#, #" + fine + "#, 1)");
  }
  std::string Fine(const std::string& inizio) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select DataFine from ArtListini Where Articolo = 'ART' And DataInizio = #" +
                                               inizio + "#",
                                           false, 4);
    std::string s = rs.LeggiCampo(k, "DataFine").ToDate().ToDateText();
    rs.ChiudiRecordset(k);
    return s;
  }
  void Agg(const std::string& data) {
    std::string a = "ART", l1 = " ", l2 = "", li = "01", d = data;
    AggDateListini(a, l1, l2, li, d);
    EXPECT_EQ(l1, "~ç~");
    EXPECT_EQ(l2, "~ç~");
  }
  long Conta(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    const long n = rs.LeggiCampo(k, "N").ToLong();
    rs.ChiudiRecordset(k);
    return n;
  }
};

class Campi : public ui::Form {
 public:
  Campi() : ui::Form("frmCampi") {
    for (int i : {10, 20, 30, 40}) Crea(ui::Tipo::TextBox, "txt", i);
  }
};

}  // namespace

TEST_F(Servizi, APriceRowEndsTheDayBeforeTheNextAndClosesThePreviousOne) {
  Listino("2026-01-01");
  Listino("2026-03-01");
  Listino("2026-06-01");
  Agg("01/03/2026");
  EXPECT_EQ(Fine("2026-03-01"), "31/05/2026");
  EXPECT_EQ(Fine("2026-01-01"), "28/02/2026");
  EXPECT_EQ(Fine("2026-06-01"), "01/01/2099");
  // The latest start: open to 31/12/9999.
  Agg("01/06/2026");
  EXPECT_EQ(Fine("2026-06-01"), "31/12/9999");
  EXPECT_EQ(Fine("2026-03-01"), "31/05/2026");
  // The earliest: no previous row.
  Agg("01/01/2026");
  EXPECT_EQ(Fine("2026-01-01"), "28/02/2026");
  // A date that is no start: nothing changes.
  Agg("15/01/2026");
  EXPECT_EQ(Fine("2026-01-01"), "28/02/2026");
  // Not a date at all.
  std::string a = "ART", l1, l2, li = "01", d = "31/02/2026";
  EXPECT_THROW(AggDateListini(a, l1, l2, li, d), vb::Errore);
}

TEST_F(Servizi, ASinglePriceRowIsOpenEnded) {
  Listino("2026-04-01", "2026-05-01");
  Agg("01/01/2020");
  EXPECT_EQ(Fine("2026-04-01"), "31/12/9999");
}

TEST_F(Servizi, ThePromotionNoticeWhenTheRowAsksForIt) {
  Sql("Insert into ArtLisPromozioni (Articolo, Listino, Livello1, Livello2, DataInizioProm, MessProm, Descrizione) "
      "Values ('A', '01', '~ç~', '~ç~', #2026-12-01#, 's', 'Natale')");
  Sql("Insert into ArtLisPromozioni (Articolo, Listino, Livello1, Livello2, DataInizioProm, MessProm, Descrizione) "
      "Values ('B', '01', '~ç~', '~ç~', #2026-12-01#, 'N', 'Silenziosa')");
  dati::GestRecordset rs;
  std::string k = rs.ApriRecordset(*db_, conn_, "", "Select * from ArtLisPromozioni Order By Articolo", false, 4);
  VerifMsgProm(rs, k);
  rs.ProssimoRec(k);
  VerifMsgProm(rs, k);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Articolo con prezzo in promozione: \r\nNatale");
}

TEST_F(Servizi, DdtPrefixesAreWholeItemsOfTheList) {
  Param("Fat.ElePrefDdt", "ABC");
  std::string p = "b";
  EXPECT_TRUE(VerifPrefDdt(p, 0));
  p = " B ";
  EXPECT_TRUE(VerifPrefDdt(p, 0));
  EXPECT_EQ(p, "B");
  p = "AB";
  EXPECT_FALSE(VerifPrefDdt(p, -1));
  p = "";
  EXPECT_FALSE(VerifPrefDdt(p, 0));
  p = "  ";
  EXPECT_TRUE(VerifPrefDdt(p, -1));
  p = "Z";
  EXPECT_FALSE(VerifPrefDdt(p, -1));
  // A list written with separators: the separator is no prefix.
  Param("Fat.ElePrefDdt", "A,B;C");
  for (const char* si : {"a", "B", "c"}) {
    p = si;
    EXPECT_TRUE(VerifPrefDdt(p, 0)) << si;
  }
  for (const char* no : {",", ";"}) {
    p = no;
    EXPECT_FALSE(VerifPrefDdt(p, 0)) << no;
  }
  EXPECT_EQ(LeggiPrefDdt(), "A,B;C");
}

TEST_F(Servizi, KeysSchemaChecksAndScratchRows) {
  EXPECT_EQ(ChiaveCdcComp("01", "2024").ToString(), "C01D2024");
  EXPECT_EQ(ChiaveCdcComp("", "").ToString(), "CD");
  EXPECT_TRUE(EsisteTabella("DdtTest"));
  EXPECT_TRUE(EsisteTabella("ddttest", conn_));
  EXPECT_FALSE(EsisteTabella("Inesistente"));
  EXPECT_TRUE(EsisteCampo("DdtTest", "NumRif"));
  EXPECT_FALSE(EsisteCampo("DdtTest", "Inventato"));
  EXPECT_FALSE(EsisteCampo("Inesistente", "NumRif"));
  EXPECT_FALSE(EsisteTabella("DdtTest", "connessione-sconosciuta"));

  Sql("Insert into AppoggioTemp (Utente, IdProgramma, IdCampo) Values ('mario', 'DDT', '1')");
  Sql("Insert into AppoggioTemp (Utente, IdProgramma, IdCampo) Values ('mario', 'DDT', '2')");
  Sql("Insert into AppoggioTemp (Utente, IdProgramma, IdCampo) Values ('mario', 'FAT', '1')");
  Sql("Insert into AppoggioTemp (Utente, IdProgramma, IdCampo) Values ('anna', 'DDT', '1')");
  EXPECT_EQ(SvuotaAppoggioTemp("mario", "DDT").ToInt(), 0);
  EXPECT_EQ(Conta("Select Count(*) As N from AppoggioTemp"), 2);
  EXPECT_EQ(ui::Screen().MousePointer, 0);
  Sql("Drop Table AppoggioTemp");
  db_->Motore(conn_).LeggiCatalogo();
  EXPECT_EQ(SvuotaAppoggioTemp("mario", "DDT").ToInt(), 1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
}

TEST(CercaCampoPrecTest, ThePreviousFieldByTabOrder) {
  Campi f;
  f.C("txt", 10).SetTabIndex(3);
  f.C("txt", 20).SetTabIndex(7);
  f.C("txt", 30).SetTabIndex(5);
  f.C("txt", 40).SetTabIndex(1);
  const std::vector<int16_t> indici{10, 20, 30};
  EXPECT_EQ(CercaCampoPrec(6, f, indici).ToInt(), 2);
  EXPECT_EQ(CercaCampoPrec(-1, f, indici).ToInt(), 1);
  EXPECT_EQ(CercaCampoPrec(3, f, indici).ToInt(), 0);  // none below: 0
  EXPECT_EQ(CercaCampoPrec(8, f, {10, 40}).ToInt(), 0);
  EXPECT_EQ(CercaCampoPrec(2, f, {10, 40}).ToInt(), 1);
}

TEST_F(Servizi, TheLinkedInvoiceOpensInTheFormItsKindNames) {
  std::vector<std::string> passi;
  servizi::ImpostaLatoMenu({[] { return std::string("mario"); },
                            [&](const std::string& n, int t, bool, const vb::Variant& v) {
                              passi.push_back("valore " + n + "=" + v.ToString() + " " + std::to_string(t));
                            },
                            [&](const std::string& s, const std::string& m) {
                              passi.push_back("lancia " + s + "/" + m + " " + G().gsLanciaKeyPrim + " " +
                                              G().gsLanciaKeySec);
                            }});
  struct Caso {
    int numero;
    const char* accomp;  // nullptr: Null
    const char* sec;
  };
  const Caso casi[] = {{1, "d", "Dett"}, {2, "s", "Acc"}, {3, "X", "Dir"}, {4, "", "Dir"}, {5, nullptr, "Dir"}};
  for (const auto& c : casi) {
    Sql("Insert into FatTest (Anno, NumRif, FattAccomp) Values (2026, " + std::to_string(c.numero) + ", " +
        (c.accomp ? "'" + std::string(c.accomp) + "'" : std::string("Null")) + ")");
  }
  for (const auto& c : casi) {
    passi.clear();
    int16_t anno = 2026;
    int32_t numero = c.numero;
    ApriFatturaCollegata(anno, numero);
    ASSERT_EQ(passi.size(), 3u);
    EXPECT_EQ(passi[0], "valore FatAnno=2026 12");
    EXPECT_EQ(passi[1], "valore FatNumRif=" + std::to_string(c.numero) + " 12");
    EXPECT_EQ(passi[2], std::string("lancia Tutti/ Fatture ") + c.sec);
  }
  // No such invoice: nothing launched, the keys as they were.
  G().gsLanciaKeyPrim = "prima";
  G().gsLanciaKeySec = "seconda";
  passi.clear();
  int16_t anno = 2025;
  int32_t numero = 1;
  ApriFatturaCollegata(anno, numero);
  EXPECT_TRUE(passi.empty());
  EXPECT_EQ(G().gsLanciaKeyPrim, "prima");
  EXPECT_EQ(G().gsLanciaKeySec, "seconda");
  // A menu that does not answer stops nothing.
  servizi::ImpostaLatoMenu({[] { return std::string("mario"); },
                            [](const std::string&, int, bool, const vb::Variant&) { vb::Solleva(5); },
                            [](const std::string&, const std::string&) { vb::Solleva(5); }});
  anno = 2026;
  numero = 1;
  ApriFatturaCollegata(anno, numero);
  EXPECT_EQ(G().gsLanciaKeySec, "Dett");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Servizi, TheFiscalYearOfAPrintDate) {
  struct Caso {
    const char* data;
    int16_t codice;
    int16_t anno;
  };
  auto prova = [&](const char* inizio, const char* fine, int anno, std::initializer_list<Caso> casi) {
    Param("Mag.AnnoCorr", std::to_string(anno));
    Param("Mag.DataInizio", inizio);
    Param("Mag.DataFine", fine);
    for (const auto& c : casi) {
      int16_t a = -1;
      std::string msg = "prima";
      EXPECT_EQ(CalcAnnoEsercizio(*vb::Date::Parse(c.data), a, msg), c.codice) << c.data;
      EXPECT_EQ(a, c.anno) << c.data;
      std::string atteso = "prima";
      if (c.codice == 4) atteso = "La data di stampa è precedente all' esercizio";
      if (c.codice == 5) atteso = "La data di stampa è successiva all' esercizio";
      if (c.codice == 0 && c.anno == anno) atteso = "";
      EXPECT_EQ(msg, atteso) << c.data;
    }
  };
  prova("01/01/2024", "31/12/2024", 2024,
        {{"31/12/2024", 0, 2024}, {"01/01/2024", 0, 2024}, {"01/01/2023", 0, 2023}, {"31/12/2022", 4, 0},
         {"31/12/2025", 0, 2025}, {"01/01/2026", 5, 0}});
  // A year that does not follow the calendar.
  prova("01/07/2024", "30/06/2025", 2024,
        {{"15/03/2025", 0, 2024}, {"01/07/2023", 0, 2023}, {"30/06/2023", 4, 0}, {"30/06/2026", 0, 2025},
         {"01/07/2026", 5, 0}});
  // Settings missing: the conversion fails.
  param_.clear();
  int16_t a = 9;
  std::string msg;
  EXPECT_EQ(CalcAnnoEsercizio(*vb::Date::Parse("01/01/2024"), a, msg), 3);
  EXPECT_EQ(a, 0);
}

TEST_F(Servizi, TheBatchAndLotMustHaveBeenLoaded) {
  Sql("Insert into MagCausali (MagCausale, CarScar, Segno) Values ('CAR', 'C', '+')");
  Sql("Insert into MagCausali (MagCausale, CarScar, Segno) Values ('NEU', 'N', '+')");
  Sql("Insert into MagCausali (MagCausale, CarScar, Segno) Values ('RES', 'C', '-')");
  auto movimento = [&](int anno, int num, const std::string& causale, const std::string& art,
                       const std::string& partita, const std::string& lotto) {
    Sql("Insert into MovMagTes (Anno, NumReg, MagCausale) Values (" + std::to_string(anno) + ", " +
        std::to_string(num) + ", '" + causale + "')");
    Sql("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, DescPers1, DescPers3) Values (" +
        std::to_string(anno) + ", " + std::to_string(num) + ", 1, 1, '" + art + "', '" + partita + "', '" + lotto +
        "')");
  };
  movimento(2026, 1, "CAR", "OLIO", "P1", "L1");
  movimento(2025, 2, "CAR", "OLIO", "P2", "L2");
  movimento(2026, 3, "CAR", "ALTRO", "P3", "L3");
  movimento(2026, 4, "RES", "OLIO", "P4", "L4");
  movimento(2026, 5, "NEU", "OLIO", "P5", "L5");
  auto verifica = [&](const std::string& partita, const std::string& lotto) {
    int16_t anno = 2026;
    std::string art = "OLIO", p = partita, l = lotto;
    return mainDdt::VerifCaricoPartita(anno, art, p, l).ToBool();
  };
  EXPECT_TRUE(verifica("P1", "L1"));
  EXPECT_TRUE(verifica("P5", "L5"));
  EXPECT_TRUE(messaggi_.empty());
  // Not loaded (other year, other article, a causal that unloads): asked.
  risposte_ = {1, 2, 2};
  EXPECT_TRUE(verifica("P2", "L2"));
  EXPECT_FALSE(verifica("P3", "L3"));
  EXPECT_FALSE(verifica("P4", "L4"));
  ASSERT_EQ(messaggi_.size(), 3u);
  EXPECT_EQ(messaggi_[0], "Manca caricamento per partita 'P2' e lotto 'L2'\r\nConfermi i dati inseriti");
}

TEST_F(Servizi, AMessageWindowAlreadyOpenIsNoConsent) {
  // A timer or a menu command runs the check while the message window waits
  // for another answer: the window answers 0, which is not "&Sì".
  bool risultato = true;
  backend_.rispondi = [&](const std::string& testo, int& risposta) {
    messaggi_.push_back(testo);
    if (messaggi_.size() == 1) {
      int16_t anno = 2026;
      std::string art = "OLIO", p = "P9", l = "L9";
      risultato = mainDdt::VerifCaricoPartita(anno, art, p, l).ToBool();
    }
    risposta = 1;
  };
  frmMsgCom::msgCom("Un'altra domanda", "&Sì", "&No");
  EXPECT_FALSE(risultato);
  EXPECT_EQ(messaggi_.size(), 1u);
}

TEST_F(Servizi, AFailingCheckNeverBlocksTheLine) {
  Sql("Drop Table MovMagDett");
  db_->Motore(conn_).LeggiCatalogo();
  int16_t anno = 2026;
  std::string art = "OLIO", p = "P", l = "L";
  EXPECT_TRUE(mainDdt::VerifCaricoPartita(anno, art, p, l).ToBool());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
}
