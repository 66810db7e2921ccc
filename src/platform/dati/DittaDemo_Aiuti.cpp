// The demonstration company, line aids: a desk lamp that carries the RAEE
// eco-fee and the priced eco-fee article, the lamp's minimum stock in the
// main warehouse and its stock on hand, and the reorder file of the second
// supplier. The layouts of the reader files, their sample files and the
// reorder folder are settings of the terminal (scripts/start.sh).
#include <cmath>
#include <string>

#include "platform/Date.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"

namespace dati {

void CreaDittaDemoAiuti(GestDatabase& db, const std::string& chiave) {
  using namespace demo;
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto tx = [&](const std::string& v) { return fc.ValoreSql(vb::Variant(v), 8); };
  auto nu = [&](double v) { return fc.ValoreSql(vb::Variant(v), 5); };
  auto sql = [&](const std::string& s) { db.EseguiSql(chiave, s); };
  struct Art {
    const char* codice;
    const char* descrizione;
    const char* raee;
    double prezzo;
  };
  const Art articoli[] = {{kArticoloRaee, "Lampada LED da tavolo 8 W", kArticoloContributoRaee, kPrezzoLampada},
                          {kArticoloContributoRaee, "Contributo RAEE piccoli apparecchi", "", kPrezzoContributoRaee}};
  for (const Art& a : articoli) {
    sql("Insert Into Articoli (Articolo, Descrizione, ArtUM, ArtUMAcq, ArtUMVen, FatConAcq, FatConVen, IvaVendite, "
        "IvaAcquisti, FlagLivLis, Provvigione, GruppoMerVen, MastroMerVen, ContoMerVen, Segnalazione, Settore, "
        "GestRintraccia, Cauzione, Inattivo, ArtMag, ArtRAEE, GruppoForAb, MastroForAb, ContoForAb, ScortaMinima) "
        "Values (" +
        tx(a.codice) + ", " + tx(a.descrizione) + ", 'PZ', 'PZ', 'PZ', 1, 1, " + tx(kIva22) + ", " + tx(kIva22) +
        ", 0, 0, " + tx(kGruppoRicavi) + ", " + tx(kMastroRicavi) + ", " + tx(kContoRicaviMerci) + ", 'N', 'S', 'N', 'N', 'N', " +
        (*a.raee ? "'S'" : "'N'") + ", " + (*a.raee ? tx(a.raee) : std::string("Null")) + ", " + tx(kGruppoFornitori) +
        ", " + tx(kMastroFornitori) + ", " + tx(kFornitore2) + ", 0)");
    sql("Insert Into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo, PrezzoLire, "
        "ScoSomSost) Values (" +
        tx(a.codice) + ", " + tx(kListinoVendita) + ", " + tx(kNessunLivello) + ", " + tx(kNessunLivello) + ", " +
        fc.ValoreSql(vb::Variant(vb::Date::FromYmd(kAnno, 1, 1)), 7) + ", " +
        fc.ValoreSql(vb::Variant(vb::Date::FromYmd(kAnno, 12, 31)), 7) + ", " + nu(a.prezzo) + ", " +
        nu(std::round(a.prezzo * kCambioLiraEuro)) + ", 'L')");
  }
  // The lamp: 8 on hand in the main warehouse, 5 the minimum there, so a
  // DDT of 4 lamps puts it on the supplier's reorder list.
  sql("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, QtaCarico, QtaScarico, "
      "QtaImpCli, QtaOrdFor) Values (" +
      std::to_string(kAnno) + ", " + tx(kMagCentrale) + ", " + tx(kArticoloRaee) + ", " + tx(kNessunLivello) + ", " +
      tx(kNessunLivello) + ", " + nu(kGiacenzaLampada) + ", 0, 0, 0, 0)");
  sql("Insert Into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values (" + tx(kArticoloRaee) +
      ", " + tx(kMagCentrale) + ", " + tx(kNessunLivello) + ", " + tx(kNessunLivello) + ", " + nu(kScortaLampada) + ")");
  sql("Insert Into [0Rad_FileDaOrdi] (GruppoFor, MastroFor, ContoFor, File) Values (" + tx(kGruppoFornitori) + ", " +
      tx(kMastroFornitori) + ", " + tx(kFornitore2) + ", " + tx(kFileDaOrdiFornitore2) + ")");
}

}  // namespace dati
