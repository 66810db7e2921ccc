// Line numbers: a new line's RigDet and RigLiv, the shifts of display
// numbers through their bands, the renumbering 1..n, and the limit below
// the first band.
#include <gtest/gtest.h>

#include "ddt/lines/NumeriProva.h"

namespace prova {
namespace {

class Numeri : public NumeriProva {};

struct CasoNuova {
  const char* nome;
  std::vector<int> linee;
  int prima;  // display number the new line goes before; 0 appends
  const char* ordine;
  long rigLiv;
};

TEST_F(Numeri, ANewLineTakesItsPlaceAndTheNextStableKey) {
  const std::vector<CasoNuova> casi = {
      {"before line 3 of 1..5", {1, 2, 3, 4, 5}, 3, "1:L1 2:L2 3:Nuova 4:L3 5:L4 6:L5", 106},
      {"before line 1 of 1..3", {1, 2, 3}, 1, "1:Nuova 2:L1 3:L2 4:L3", 104},
      {"appended to 1..5", {1, 2, 3, 4, 5}, 0, "1:L1 2:L2 3:L3 4:L4 5:L5 6:Nuova", 106},
      {"appended to 1, 2, 5", {1, 2, 5}, 0, "1:L1 2:L2 5:L5 6:Nuova", 106},
      {"first line of an empty DDT", {}, 0, "1:Nuova", 1},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Linee(c.linee);
    frmDDTDett& d = Righe(kDdt);
    auto& p = d.ogLinPag();
    if (c.prima > 0) VaiA(d, c.prima);
    d.miRigaIns = static_cast<int16_t>(c.prima);
    if (p.Stato() != 2) {
      EXPECT_EQ(p.EseguiTasto("Nuovo"), "");
    }
    Compila(d, "Nuova");
    EXPECT_EQ(p.EseguiTasto("Salva"), "") << (messaggi_.empty() ? "" : messaggi_.back());
    EXPECT_EQ(Ordine(), c.ordine);
    EXPECT_EQ(Valore("Select RigLiv from DdtDettApp Where Anno = 2026 And NumRif = 3 And Descrizione = 'Nuova'",
                     "RigLiv"),
              std::to_string(c.rigLiv));
    EXPECT_EQ(d.mlMaxRigLiv, c.rigLiv);
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
  }
}

TEST_F(Numeri, TwoNewLinesWithoutARefreshGetConsecutiveKeys) {
  Linee(3);
  frmDDTDett& d = Righe(kDdt);
  auto& p = d.ogLinPag();
  for (const char* n : {"A", "B"}) {
    EXPECT_EQ(p.EseguiTasto("Nuovo"), "");
    Compila(d, n);
    const long prima = d.mlMaxRigLiv;
    EXPECT_EQ(p.EseguiTasto("Salva"), "");
    EXPECT_EQ(d.mlMaxRigLiv, prima + 1);
  }
  EXPECT_EQ(Elenco("Select RigDet, RigLiv, Descrizione from DdtDettApp Where Anno = 2026 And NumRif = 3 "
                   "Order By RigDet",
                   {"RigDet", "RigLiv", "Descrizione"}),
            "1:101:L1 2:102:L2 3:103:L3 4:104:A 5:105:B");
}

TEST_F(Numeri, ALineTheCheckRefusesIsNeitherNumberedNorMakesRoom) {
  Linee(4);
  frmDDTDett& d = Righe(kDdt);
  auto& p = d.ogLinPag();
  VaiA(d, 2);
  d.miRigaIns = 2;
  EXPECT_EQ(p.EseguiTasto("Nuovo"), "");
  Compila(d, "Nuova");
  d.txt(130).SetText("");  // the VAT code is required
  d.txt(10).SetText("0");
  d.lab(15).SetCaption("");
  const long max = d.mlMaxRigLiv;
  EXPECT_NE(d.RicUltNum().ToString(), "");
  EXPECT_EQ(d.txt(10).Text(), "0");
  EXPECT_EQ(d.lab(15).Caption(), "");
  EXPECT_EQ(d.mlMaxRigLiv, max);
  EXPECT_EQ(Ordine(), "1:L1 2:L2 3:L3 4:L4");
}

// The shift bands start at 10000: the DDT's display numbers stay below.
TEST_F(Numeri, ADdtCannotReachTenThousandLines) {
  struct Caso {
    const char* nome;
    std::vector<int> linee;
    int prima;
    bool accolta;
    const char* ordine;
  };
  const std::vector<Caso> casi = {
      {"appended after 9999", {1, 2, 9999}, 0, false, "1:L1 2:L2 9999:L9999"},
      {"inserted with 9999 last", {1, 2, 9999}, 2, false, "1:L1 2:L2 9999:L9999"},
      {"appended after 9998", {1, 2, 9998}, 0, true, "1:L1 2:L2 9998:L9998 9999:Nuova"},
      {"inserted with 9998 last", {1, 2, 9998}, 2, true, "1:L1 2:Nuova 3:L2 9999:L9998"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Linee(c.linee);
    frmDDTDett& d = Righe(kDdt);
    auto& p = d.ogLinPag();
    if (c.prima > 0) VaiA(d, c.prima);
    d.miRigaIns = static_cast<int16_t>(c.prima);
    EXPECT_EQ(p.EseguiTasto("Nuovo"), "");
    Compila(d, "Nuova");
    const long max = d.mlMaxRigLiv;
    messaggi_.clear();
    const std::string r = p.EseguiTasto("Salva");
    if (c.accolta) {
      EXPECT_EQ(r, "");
      EXPECT_EQ(d.mlMaxRigLiv, max + 1);
    } else {
      EXPECT_EQ(r, "Il DDT ha già 9999 righe: non se ne possono aggiungere altre");
      ASSERT_FALSE(messaggi_.empty());
      EXPECT_EQ(messaggi_.back(), r);
      EXPECT_EQ(d.mlMaxRigLiv, max);
      EXPECT_EQ(p.Stato(), 2);
      EXPECT_EQ(d.txt(23).Text(), "Nuova");
    }
    EXPECT_EQ(Ordine(), c.ordine);
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
  }
}

TEST_F(Numeri, ShiftsMoveOnlyTheSelectedLinesOfThisDdt) {
  struct Caso {
    const char* nome;
    int canc;  // line deleted first (0 none)
    int16_t da, muovi;
    int32_t banda;
    vb::Variant copiaTaglia;
    const char* ordine;
  };
  const std::vector<Caso> casi = {
      {"delete line 2 of 1..4", 2, 2, -1, 10000, vb::Missing, "1:L1 2:L3 3:L4"},
      {"room before line 3 of 1..4", 0, 3, 1, 10000, vb::Missing, "1:L1 2:L2 4:L3 5:L4"},
      {"left in the band", 0, 3, 0, 20000, vb::Missing, "1:L1 2:L2 20003:L3 20004:L4"},
      {"only unflagged lines", 0, 2, 0, 20000, int16_t(0), "1:L1 3:L3 20002:L2 20004:L4"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Linee(4);
    frmDDTDett& d = Righe(kDdt);
    Sql("Insert into DdtDettApp (Anno, NumRif, RigDet, RigLiv, Descrizione, CopiaTaglia) "
        "Values (2026, 999, 2, 7, 'Altro', 0)");
    Sql("Update DdtDettApp Set CopiaTaglia = 1 Where NumRif = 3 And RigDet = 3");
    if (c.canc) Sql("Delete from DdtDettApp Where NumRif = 3 And RigDet = " + std::to_string(c.canc));
    int32_t banda = c.banda;
    d.SpostaRighe("RigDet", "DdtDettApp", c.da, c.muovi, banda, c.copiaTaglia);
    EXPECT_EQ(banda, c.banda);
    EXPECT_EQ(Ordine(), c.ordine);
    EXPECT_EQ(Valore("Select RigDet from DdtDettApp Where NumRif = 999", "RigDet"), "2");
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
  }
}

TEST_F(Numeri, RenumberingWritesOneToNInTheGridsOrder) {
  Linee(3);
  frmDDTDett& d = Righe(kDdt);
  auto& p = d.ogLinPag();
  Sql("Update DdtDettApp Set RigDet = 20001 Where NumRif = 3 And RigDet = 1");
  Sql("Update DdtDettApp Set RigDet = 7 Where NumRif = 3 And RigDet = 3");
  p.Riposiziona();
  d.RenumRighe(p.OggDati(), p.ChiaveDati(), "RigDet", 1);
  EXPECT_EQ(Ordine(), "1:L2 2:L3 3:L1");
  // The stable keys never move.
  EXPECT_EQ(Elenco("Select RigLiv from DdtDettApp Where NumRif = 3 Order By RigDet", {"RigLiv"}), "102 103 101");
}

}  // namespace
}  // namespace prova
