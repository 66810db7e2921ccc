#include "platform/dati/DittaDemo_Lotti.h"

#include <string>
#include <vector>

#include "platform/Date.h"
#include "platform/FunzioniComuni.h"
#include "platform/Variant.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"

namespace dati {

namespace {

using namespace demo;

std::string Tx(const std::string& s) {
  return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(s), vb::vbString);
}
std::string Nu(double d) { return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(d), vb::vbDouble); }
std::string In(int n) { return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(n), vb::vbInteger); }
std::string Dt(int a, int m, int g) {
  return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(vb::Date::FromYmd(a, m, g)), vb::vbDate);
}

std::string Elenco(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
  return s;
}

}  // namespace

void DittaDemoLotti(GestDatabase& db, const std::string& k) {
  auto riga = [&](const std::string& tabella, const std::vector<std::string>& colonne,
                  const std::vector<std::string>& valori) {
    db.EseguiSql(k, "INSERT INTO " + tabella + " (" + Elenco(colonne) + ") VALUES (" + Elenco(valori) + ")");
  };
  const std::string f = Tx(kFornitore2), gf = Tx(kGruppoFornitori), mf = Tx(kMastroFornitori);

  // The account that owns the lots made in-house.
  riga("PianoConti", {"Gruppo", "Mastro", "Conto", "Tipo", "Descrizione"},
       {Tx(kGruppoProd), Tx(kMastroProd), Tx(kContoProd), Tx("1"), Tx("Produzione interna")});

  // A cheese whose lines may not be left without lots.
  riga("Articoli",
       {"Articolo", "Descrizione", "ArtUM", "ArtUMAcq", "ArtUMVen", "FatConAcq", "FatConVen", "IvaVendite",
        "IvaAcquisti", "FlagLivLis", "Provvigione", "PezziPerConf", "GruppoMerVen", "MastroMerVen", "ContoMerVen",
        "GruppoMerVenSoci", "MastroMerVenSoci", "ContoMerVenSoci", "GruppoMerAcq", "MastroMerAcq", "ContoMerAcq",
        "GruppoForAb", "MastroForAb", "ContoForAb", "ArtGruppo", "ArtSottoGru", "Segnalazione", "Settore",
        "GestRintraccia", "Cauzione", "Inattivo", "ScortaMinima", "PesoLordo", "ArtMag"},
       {Tx(kArticoloLottiObblig), Tx("Formaggio Monte Veronese DOP (forma da 7 kg)"), Tx("PZ"), Tx("PZ"), Tx("PZ"),
        Nu(1), Nu(1), Tx(kIva4), Tx(kIva4), In(0), Nu(0), Nu(1), Tx(kGruppoRicavi), Tx(kMastroRicavi),
        Tx(kContoRicaviMerci), Tx(kGruppoRicavi), Tx(kMastroRicavi), Tx(kContoRicaviMerci), Tx("70"), Tx("01"),
        Tx("0001"), gf, mf, f, Tx("ALIM"), Tx("FORM"), Tx("N"), Tx("S"), Tx("O"), Tx("N"), Tx("N"), Nu(0),
        Nu(7.2), Tx("S")});

  // Its lots: two open, one closed by hand with some left.
  struct Lotto {
    const char* codice;
    int mese;
    const char* descrizione;
    const char* chiuso;
    const char* categoria;
  } lotti[] = {
      {kLottoForm1, 11, "Stagionatura 60 giorni - caseificio 1", "A", "DOP"},
      {kLottoForm2, 12, "Stagionatura 90 giorni - caseificio 1", "A", "DOP"},
      {kLottoFormChiuso, 9, "Partita ritirata per controllo", "F", "DOP"},
  };
  for (const Lotto& l : lotti)
    riga("Lotti",
         {"Lotto", "NrProgLotto", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "DataScadenza",
          "Descrizione", "Categoria", "Trattamento", "Confezione", "Specie", "DataProduzione", "Chiuso"},
         {Tx(l.codice), In(1), Tx(kArticoloLottiObblig), gf, mf, f, Dt(2027, l.mese, 30), Tx(l.descrizione),
          Tx(l.categoria), Tx("CRU"), Tx("SV"), Tx("BOV"), Dt(2026, l.mese - 6, 1), Tx(l.chiuso)});

  // Loads from the supplier into both stores (their lines are not in the
  // demo's stock progressives: only the lots move).
  struct Carico {
    long numReg;
    const char* magazzino;
    const char* lotto;
    double qta;
  } carichi[] = {
      {901, kMagCentrale, kLottoForm1, 20},
      {902, kMagNegozio, kLottoForm1, 8},
      {903, kMagCentrale, kLottoForm2, 6},
      {904, kMagCentrale, kLottoFormChiuso, 3},
  };
  for (const Carico& c : carichi) {
    riga("MovMagTes",
         {"Anno", "NumReg", "DataReg", "MagCausale", "MagazzinoDest", "Moneta", "Cambio", "GruppoCliFor",
          "MastroCliFor", "ContoCliFor"},
         {In(kAnno), std::to_string(c.numReg), Dt(kAnno, 11, 20), Tx(kCausaleCarico), Tx(c.magazzino), Tx(kEuro),
          Nu(1), gf, mf, f});
    riga("MovMagRintraccia",
         {"Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto",
          "NrProgLotto", "Qta", "TipOpe", "DataReg"},
         {In(kAnno), std::to_string(c.numReg), "1", Tx(kArticoloLottiObblig), gf, mf, f, Tx(c.lotto), In(1),
          Nu(c.qta), Tx("C"), Dt(kAnno, 11, 20)});
  }

  // Category, treatment, packaging and species of a lot.
  struct Codice {
    const char *chiave, *codice, *descrizione;
  } codici[] = {
      {"C", "DOP", "Denominazione di origine protetta"}, {"C", "BIO", "Biologico"},
      {"T", "CRU", "Latte crudo"},                       {"T", "PAS", "Latte pastorizzato"},
      {"Z", "SV", "Sottovuoto"},                         {"Z", "CRT", "Cartone"},
      {"S", "BOV", "Bovina"},                            {"S", "OVI", "Ovina"},
  };
  for (const Codice& c : codici)
    riga("TabDecod", {"Chiave", "Codice", "Descrizione"}, {Tx(c.chiave), Tx(c.codice), Tx(c.descrizione)});
}

}  // namespace dati
