// Random documents: whatever their lines, gifts, discounts, expenses,
// apportionment, withholding, pension fund and stamps, the VAT summary adds
// up to the footer totals at every level, and the amount to pay is goods +
// VAT + expenses - discounts - withholding - down payment as the footer
// defines them.
#include <random>
#include <string>
#include <vector>

#include "PiedeProva.h"
#include "common/AziendaUtil.h"

namespace prova {
namespace {

class PiedeProprieta : public PiedeProva {
 protected:
  std::mt19937 gen_{20240520};

  int Caso(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
  template <class T>
  const T& Uno(const std::vector<T>& v) {
    return v[static_cast<size_t>(Caso(static_cast<int>(v.size())))];
  }
  std::string Importo(int maxCents) {
    const int cents = std::uniform_int_distribution<int>(1, maxCents)(gen_);
    return std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") + std::to_string(cents % 100);
  }
};

TEST_F(PiedeProprieta, SummaryAndTotalsAgree) {
  CodiceSpesa("FIX", "F");
  CodiceSpesa("FIX10", "F", {{"Iva", "10"}, {"Conto", "0002"}});
  CodiceSpesa("PERC", "P", {{"Conto", "0003"}});
  CodiceSpesa("SCO", "F", {{"SoggScontoPagam", "S"}, {"Conto", "0004"}});
  CodiceSpesa("RIP", "F", {{"AddebitoIva", "R"}, {"Conto", "0005"}});
  CodiceSpesa("RIPS", "F", {{"AddebitoIva", "R"}, {"SoggScontoPagam", "S"}, {"Conto", "0006"}});
  CodiceSpesa("CP", "P", {{"CassaPrev", "S"}, {"Conto", "0007"}});
  CodiceSpesa("CPR", "P", {{"CassaPrev", "S"}, {"AddebitoIva", "R"}, {"Conto", "0008"}});
  const std::vector<std::string> iva = {"22", "22", "10", "4", "E10", "ENB"};
  const std::vector<std::string> omaggi = {"N", "N", "N", "N", "I", "S"};
  const std::vector<std::string> conti = {"0001", "0002", "0003"};
  const std::vector<std::string> cdc = {"", "", "A", "B"};
  const std::vector<std::string> scontiPag = {"", "", "2", "3+1", "0"};
  const std::vector<std::string> spese = {"FIX", "FIX10", "PERC", "SCO", "RIP", "RIPS", "CP", "CPR"};
  const std::vector<std::string> pagamenti = {"RD", "RB1", "RB2"};
  const std::vector<double> ritenute = {0, 0, 4, 20, 400.5};

  for (long n = 1; n <= 60; ++n) {
    SCOPED_TRACE(n);
    parPers_.clear();
    const bool noImpon = Caso(4) == 0;
    if (noImpon) ParPers("Tutti", "CassaPrevNoImpon", "S");
    Testata(n, {{"ScontoPag", Uno(scontiPag)}, {"ScoPagSuDett", Caso(5) == 0 ? "S" : "N"},
                {"Acconto", C(Caso(3) == 0 ? Importo(10000).c_str() : "0")}, {"PercRitAcc", Uno(ritenute)},
                {"Pagamento", Uno(pagamenti)}});
    const int righe = 1 + Caso(12);
    for (int r = 1; r <= righe; ++r) {
      std::string imp = Importo(200000);
      if (Caso(10) == 0) imp = "-" + imp;  // a credit line now and then
      Riga(n, r, Uno(iva), imp.c_str(),
           {{"Omaggio", Uno(omaggi)}, {"FlScontoPag", Caso(3) ? "S" : "N"}, {"ContoVen", Uno(conti)},
            {"CentroDiCosto", Uno(cdc)}, {"SoggRitAcc", Caso(2) ? "S" : "N"}});
    }
    const int nSpese = Caso(4);
    for (int s = 1; s <= nSpese; ++s)
      Spesa(n, s, Uno(spese), {{"Importo", C(Importo(5000).c_str())}, {"Percentuale", 1.0 + Caso(5)},
                               {"SoggRitAcc", Caso(2) ? "S" : "N"}});
    auto p = Piede(n, false, vb::Variant(Caso(2) ? "S" : "N"));
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    ASSERT_FALSE(p->ogIve.obEsiste(kIvaDaRipartire));

    vb::Currency impon, impos, spese, scoMerce, scoSpese, ivaOmaggiT;
    for (const auto& pv : p->ogIve.ocCollIva) {
      const scIva& v = *pv;
      impon += v.odImpon;
      impos += v.odImpos;
      spese += v.odSValSpese + v.odSValSpesePerSco;
      scoMerce += v.odScoPagam;
      scoSpese += v.odScoPagamSpese;
      ivaOmaggiT += v.odIvaOmaggioT;
      if (!v.obIvaEsente && !v.obIvaBolli) {
        EXPECT_EQ(v.odImpos, vb::Currency::FromDouble(AziendaUtil::CalcImposta(vb::Variant(v.odImpon),
                                                                               vb::Variant(v.odAliquota), 2)))
            << v.osIva;
      }
      // Accounts add up to their code, splits to their account.
      vb::Currency cImpon, cImpos;
      for (const auto& pa : v.ocCollControPte) {
        cImpon += pa->odImpon;
        cImpos += pa->odImpos;
        vb::Currency rImpon, rImpos;
        for (const auto& pr : pa->ocCdcCompetenza) {
          rImpon += pr->odImpon;
          rImpos += pr->odImpos;
        }
        EXPECT_EQ(rImpon, pa->odImpon) << v.osIva << " " << pa->osConto;
        EXPECT_EQ(rImpos, pa->odImpos) << v.osIva << " " << pa->osConto;
      }
      EXPECT_EQ(cImpon, v.odImpon) << v.osIva;
      EXPECT_EQ(cImpos, v.odImpos) << v.osIva;
    }
    EXPECT_EQ(impon, p->odTotImponibile + p->odTotEsente);
    EXPECT_EQ(impos, p->odTotIva);
    EXPECT_EQ(spese, p->odTotSpese);
    EXPECT_EQ(p->odTotFattura, p->odTotImponibile + p->odTotIva + p->odTotEsente);
    vb::Currency pagare = p->odTotMerce - scoMerce + p->odTotSpese - scoSpese + p->odTotIva - ivaOmaggiT +
                          p->odTotBolli - p->odAcconto - p->odRitAcc;
    if (noImpon) pagare -= p->ouTotCassaPrev;
    EXPECT_EQ(p->odTotPagare, pagare);
  }
}

}  // namespace
}  // namespace prova
