#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "barcode/BarCode.h"
#include "barcode/ZelCodBar.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "services/DittaProva.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "support/CartellaTemp.h"

namespace {

// A company database with variant articles: groups of colours (two
// characters in a barcode) and sizes (three), and articles whose stored
// barcodes are of each kind.
class BarCodeCercaArt : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
    G().gfLeggiParPers = [this](const std::string&, const std::string& nome, const vb::Variant& def) {
      auto it = prefissi_.find(nome);
      return it == prefissi_.end() ? def : vb::Variant(it->second);
    };
    precedente_ = vb::ImpostaGestoreMsgBox([this](const std::string& testo, int, const std::string&) {
      messaggi_.push_back(testo);
      return static_cast<int>(vb::vbOK);
    });
    // The common message window answers by itself and its texts are kept.
    backend_.rispondi = [this](const std::string& testo, int&) { messaggi_.push_back(testo); };
    ui::ImpostaBackend(&backend_);

    // The legacy dialect inserts one row per statement.
    for (const char* g : {"'COL', 'Colori', 2", "'TAG', 'Taglie', 3", "'ZERO', 'Senza codici', 0",
                          "'NUL', 'Non impostato', Null"})
      Sql(std::string("Insert Into LivGruppi (LivGruppo, Descrizione, LunCodBarre) Values (") + g + ")");
    for (const char* l : {"'ROSSO', 'Rosso', '01'", "'BLU', 'Blu', '02'", "'NERO', 'Nero', '9'",
                          "'S', 'Small', '001'", "'M', 'Medium', '002'", "'Z1', 'Zero uno', '01'"})
      Sql(std::string("Insert Into Livelli (Livello, Descrizione, LivBarCode) Values (") + l + ")");
    for (const char* c : {"'COL', 'ROSSO'", "'COL', 'BLU'", "'COL', 'NERO'", "'TAG', 'S'", "'TAG', 'M'",
                          "'ZERO', 'Z1'", "'NUL', 'Z1'"})
      Sql(std::string("Insert Into LivComp (LivGruppo, Livello) Values (") + c + ")");
    Articolo("MAGLIA", "Maglia cotone", "12345670", "'COL'", "'TAG'");  // EAN-8 of 1234567
    Articolo("CAPPELLO", "Cappello", "CAP1", "'COL'", "Null");
    Articolo("VITE", "Vite", "VITE", "Null", "Null");
    Articolo("GIACCA", "Giacca", "8001212345677", "'COL'", "'TAG'");  // EAN-13 of 80012 1234567
    Articolo("ZERO", "Zero", "ZERO", "'ZERO'", "Null");
    Articolo("NUL", "Non impostato", "NUL1", "'NUL'", "Null");
  }
  void TearDown() override {
    ui::ImpostaBackend(nullptr);
    vb::ImpostaGestoreMsgBox(precedente_);
    AzzeraGlobali();
  }

  void Sql(const std::string& sql) { db_->EseguiSql(conn_, sql); }
  void Articolo(const std::string& cod, const std::string& desc, const std::string& barcode,
                const std::string& gruppo1, const std::string& gruppo2) {
    Sql("Insert Into Articoli (Articolo, Descrizione, BarCode, LivGruppo1, LivGruppo2) Values ('" + cod +
        "', '" + desc + "', '" + barcode + "', " + gruppo1 + ", " + gruppo2 + ")");
  }

  struct Esito {
    bool trovato;
    std::string codice, descrizione, livello1, descLiv1, livello2, descLiv2;
  };
  Esito Cerca(int16_t lunArt, const std::string& scansione) {
    Esito e{false, scansione, "d", "l1", "dl1", "l2", "dl2"};
    e.trovato = BarCode::CercaArtCodBar(lunArt, e.codice, e.descrizione, e.livello1, e.descLiv1,
                                        e.livello2, e.descLiv2)
                    .ToBool();
    return e;
  }

  prova::CartellaTemp dir_{"barcode"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  std::map<std::string, std::string> prefissi_;
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox precedente_;
  prova::BackendMessaggi backend_;
};

TEST_F(BarCodeCercaArt, Ean8CodeWithBothLevels) {
  // 1234567 + check 0 is the article; 01 the colour, 002 the size, 99 ignored.
  const Esito e = Cerca(7, "12345670100299");
  EXPECT_TRUE(e.trovato);
  EXPECT_EQ(e.codice, "MAGLIA");
  EXPECT_EQ(e.descrizione, "Maglia cotone");
  EXPECT_EQ(e.livello1, "ROSSO");
  EXPECT_EQ(e.descLiv1, "Rosso");
  EXPECT_EQ(e.livello2, "M");
  EXPECT_EQ(e.descLiv2, "Medium");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(BarCodeCercaArt, Ean13CodeWithItsLevelPrefix) {
  prefissi_["CodIniLiv13"] = "80012";
  const Esito e = Cerca(7, "1234567" "02" "001");
  EXPECT_TRUE(e.trovato);
  EXPECT_EQ(e.codice, "GIACCA");
  EXPECT_EQ(e.livello1, "BLU");
  EXPECT_EQ(e.livello2, "S");
  EXPECT_EQ(e.descLiv2, "Small");
}

TEST_F(BarCodeCercaArt, ArticleCodeWithoutSecondLevel) {
  const Esito e = Cerca(4, "CAP102" "777");
  EXPECT_TRUE(e.trovato);
  EXPECT_EQ(e.codice, "CAPPELLO");
  EXPECT_EQ(e.descrizione, "Cappello");
  EXPECT_EQ(e.livello1, "BLU");
  EXPECT_EQ(e.descLiv1, "Blu");
  EXPECT_EQ(e.livello2, "~ç~");
  EXPECT_EQ(e.descLiv2, "");
}

TEST_F(BarCodeCercaArt, Code39PrefixIsTriedLast) {
  prefissi_["CodIniLiv39"] = "C";
  Articolo("BERRETTO", "Berretto", "CBER1", "'COL'", "Null");
  const Esito e = Cerca(4, "BER101");
  EXPECT_TRUE(e.trovato);
  EXPECT_EQ(e.codice, "BERRETTO");
  EXPECT_EQ(e.livello1, "ROSSO");
}

TEST_F(BarCodeCercaArt, UnknownCodeLeavesEverythingAsItWas) {
  const Esito e = Cerca(7, "99999990100299");
  EXPECT_FALSE(e.trovato);
  EXPECT_EQ(e.codice, "99999990100299");
  EXPECT_EQ(e.descrizione, "d");
  EXPECT_EQ(e.livello2, "l2");
  EXPECT_EQ(e.descLiv2, "dl2");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(BarCodeCercaArt, ScanNoLongerThanTheArticlePartRunsNoQuery) {
  G().goDbAzienda.reset();  // any query would now fail and show an error
  EXPECT_FALSE(Cerca(7, "1234567").trovato);
  EXPECT_FALSE(Cerca(7, "").trovato);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(BarCodeCercaArt, OnlyDigitsAreEanCandidates) {
  // Read as numbers these would give 0000000 and 0000001, whose EAN-8 codes
  // belong to real articles.
  Articolo("ZERI", "Zeri", "00000000", "'COL'", "Null");
  Articolo("UNO", "Uno", "00000017", "'COL'", "Null");
  for (const std::string articolo : {"ABCDEFG", "1E00000", "&H00001", "0000 01", "+000001", "0.00001"}) {
    const Esito e = Cerca(7, articolo + "01");
    EXPECT_FALSE(e.trovato) << articolo << " -> " << e.codice;
  }
  EXPECT_TRUE(Cerca(7, "0000001" "01").trovato);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(BarCodeCercaArt, AnArticleWhoseLevelsDoNotDecodeIsGivenUpForTheNextType) {
  // As EAN-8 the scan names MAGLIA, whose colours have no "00"; as Code 128
  // it names TUTA, whose sizes have "001".
  Articolo("TUTA", "Tuta", "1234567", "'TAG'", "Null");
  const Esito e = Cerca(7, "1234567" "001");
  EXPECT_TRUE(e.trovato);
  EXPECT_EQ(e.codice, "TUTA");
  EXPECT_EQ(e.livello1, "S");
  EXPECT_EQ(e.livello2, "~ç~");
}

TEST_F(BarCodeCercaArt, ArticlesThatCannotBeFound) {
  EXPECT_FALSE(Cerca(4, "VITE01").trovato);        // no level group
  EXPECT_FALSE(Cerca(4, "ZERO01").trovato);        // its group has no barcode length
  EXPECT_FALSE(Cerca(7, "1234567" "01" "999").trovato);  // second level unknown
  EXPECT_FALSE(Cerca(4, "CAP10").trovato);         // a short level part is compared whole
  EXPECT_TRUE(Cerca(4, "CAP19").trovato);          // ... and matches a short level code
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(BarCodeCercaArt, DatabaseErrorIsShownOnceAndAnswersFalse) {
  const Esito e = Cerca(4, "NUL101");  // LunCodBarre Null cannot be read as a number
  EXPECT_FALSE(e.trovato);
  EXPECT_EQ(e.codice, "NUL101");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(94): ", 0), 0u) << messaggi_[0];

  messaggi_.clear();
  db_->EseguiSql(conn_, "DROP TABLE Articoli", 64);
  EXPECT_FALSE(Cerca(7, "12345670100299").trovato);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u);
}

TEST_F(BarCodeCercaArt, DecodesOneLevelFromTheFront) {
  std::string codice = "02001X";
  std::string livello = "prima", desc = "prima";
  EXPECT_TRUE(ZelCodBar::DecLivDaCodBar(codice, "COL", livello, desc).ToBool());
  EXPECT_EQ(codice, "001X");
  EXPECT_EQ(livello, "BLU");
  EXPECT_EQ(desc, "Blu");
  EXPECT_TRUE(ZelCodBar::DecLivDaCodBar(codice, "TAG", livello, desc).ToBool());
  EXPECT_EQ(codice, "X");
  EXPECT_EQ(livello, "S");

  // A level of another group is not a level of this one.
  codice = "01";
  EXPECT_FALSE(ZelCodBar::DecLivDaCodBar(codice, "TAG", livello, desc).ToBool());
  EXPECT_FALSE(ZelCodBar::DecLivDaCodBar(codice, "NOGROUP", livello, desc).ToBool());
  EXPECT_FALSE(ZelCodBar::DecLivDaCodBar(codice, "ZERO", livello, desc).ToBool());
  EXPECT_EQ(codice, "01");
  EXPECT_EQ(livello, "S");
  EXPECT_THROW(ZelCodBar::DecLivDaCodBar(codice, "NUL", livello, desc), vb::Errore);
}

}  // namespace
