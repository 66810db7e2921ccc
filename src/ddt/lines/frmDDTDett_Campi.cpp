// The field table of the line: which column every box shows, in the order
// the page is told them, with defaults, sizes and masks; and the two code
// tables of the combos. A size that depends on decimals is written as text
// (signed digits, the regional separator, decimals) and read back as a
// fixed-point number, as the page expects it.
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Currency.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {

// Read back with the same regional separator it was written with.
vb::Currency Dim(const std::string& interi, int decimali) {
  const std::string& sep = G().gsSepDecimali;
  return vb::Currency::FromText(interi + sep + std::to_string(decimali), sep == ".");
}
vb::Currency Dim(const char* testo) { return vb::Currency::FromText(testo, true); }

}  // namespace

void frmDDTDett::CaricaCodici() {
  mavStampaNota = {vb::Variant("N"), vb::Variant("A"), vb::Variant("S"), vb::Variant("E")};
  mavComandiRiga = {vb::Variant("TD"), vb::Variant("PA"), vb::Variant("SR"), vb::Variant("NS"), vb::Variant("TT"),
                    vb::Variant("PT"), vb::Variant("TZ"), vb::Variant("PZ"), vb::Variant("AZ")};
  // The items the combos show, in the order of the codes.
  const char* stampa[] = {"No Stampa", "Solo su doc. Attuale", "Anche sul doc. di Evasione",
                          "Solo sul doc. di Evasione"};
  for (int n : {410, 430, 435}) {
    ui::Controllo& c = cob(n);
    c.Clear();
    for (const char* s : stampa) c.AddItem(s);
  }
  const char* comandi[] = {"TD Stampa Testata Dettaglio",
                           "PA Salta Pagina",
                           "SR Salta n Righe",
                           "NS Non Stampa il Totale Finale",
                           "TT Stampa il Totale Parziale",
                           "PT Stampa il Totale Parziale e Salta Pagina",
                           "TZ Stampa / Azzera il Totale Parziale",
                           "PZ Stampa / Azzera il Totale Parziale e Salta Pagina",
                           "AZ Azzera il Totale Parziale"};
  ui::Controllo& c = cob(900);
  c.Clear();
  for (const char* s : comandi) c.AddItem(s);
}

void frmDDTDett::DefinisciCampi() {
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto& p = ogLinPag();
  masNomeCampo.fill({});
  const vb::Variant no;
  // One declaration: the column is kept for field n first.
  auto campo = [&](int n, const char* tipoCtrl, const std::string& col, const vb::Variant& titolo, int chiave,
                   int tipo, int fisso, const std::string& def, vb::Currency dim, const vb::Variant& obblig,
                   const std::string& masc, const vb::Variant& formato, int nascosto,
                   const vb::Variant& colGriglia = {}, const vb::Variant& descr = {}) {
    masNomeCampo[static_cast<size_t>(n)] = col;
    p.DefinisciCampo(col, C(tipoCtrl, n), titolo, colGriglia, descr, chiave, tipo, fisso, -1, 0, def, dim, obblig, masc,
                     formato, 2, nascosto);
  };
  const vb::Currency zero;
  campo(600, "txt", "Anno", no, 1, -1, 2, "", zero, no, "", no, -1);
  campo(610, "txt", "NumRif", no, 1, -1, 2, "", zero, no, "", no, -1);
  campo(10, "txt", "RigDet", no, 1, -1, 0, "", zero, true, "", no, -1);
  campo(15, "lab", "RigLiv", no, 0, -1, 0, "", zero, true, "", no, -1);
  campo(20, "txt", "Articolo", no, 0, -1, 0, "", Dim("-1"), no, "", no, 0);
  campo(18, "txt", "TipoRiga", no, 0, -1, 0, "A", zero, true, "", no, -1);
  campo(23, "txt", "Descrizione", no, 0, -1, 0, "", zero, no, "", no, -1);
  campo(900, "txt", "Comando", no, 0, -1, 0, "", zero, no, "", no, -1);
  campo(30, "txt", "Qta", "Quantità", 0, 7, 0, g.gsQtaDef, Dim("-10", g.giNumDecQta), true, g.gsMascQta, osNumDecQta,
        0);
  if (obColliDec)
    campo(40, "txt", "Colli", no, 0, 7, 0, "", Dim("8.2"), no, "#,###.^^", "#,##0.00", 0);
  else
    campo(40, "txt", "Colli", no, 0, 3, 0, "", Dim("6"), no, "", no, 0);
  campo(60, "txt", "ValUnitario", "Val_Unitario", 0, 7, 0, "", Dim("-14", oiNumDecMonGes), no, osNumDecMonGes,
        osNumDecMonGes, 0);
  campo(70, "txt", "ValTotale", "Val_Totale", 0, 7, 0, "", Dim("-14", oiNumDecMon), no, osNumDecMon, osNumDecMon, 0);
  campo(290, "lab", "ValLire", no, 0, 7, 0, "", Dim("-20", g.giNumDecLire), no, g.gsMascLire, g.gsMascLireVar, -1);
  campo(300, "lab", "ValEuro", no, 0, 7, 0, "", Dim("-20", g.giNumDecEuro), no, g.gsMascEuro, g.gsMascEuroVar, -1);
  campo(75, "txt", "FlScontoPag", no, 0, -1, 0, "S", zero, no, "", no, 0);
  campo(80, "txt", "ScontoTot", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(90, "txt", "ScontoTab", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(100, "txt", "ScontoCli", no, 0, -1, 0, osScontoClie, zero, no, "", no, 0);
  campo(110, "txt", "ScontoArt", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(120, "txt", "ScontoQuant", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(130, "txt", "Iva", no, 0, -1, 0, "", zero, true, "", no, 0);
  campo(140, "txt", "UM", no, 0, -1, 0, "", zero, true, "", no, 0);
  campo(150, "txt", "FatCon", no, 0, 7, 0, "", Dim("10.3"), true, "#,###.^^^", "#,###.000", -1);
  const std::string contoRicavo = fc.Formatta(vb::Variant(osGruppoMer + osMastroMer + osContoMer), "Conto");
  campo(160, "txt", "|-|GruppoVen|MastroVen|ContoVen", "ContoRicavo", 0, -1, 0, contoRicavo, zero, no, "", no, 0,
        "ContoRicavo", "Conto Ricavo");
  campo(165, "txt", "CentroDiCosto", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(170, "txt", "Omaggio", no, 0, -1, 0, "N", zero, no, "", no, 0);
  campo(175, "txt", "Promozione", no, 0, -1, 0, "N", zero, no, "", no, 0);
  campo(180, "txt", "PercProvv1", no, 0, -1, 0, "", Dim("-14.3"), no, "#,###.^^^", "#,###.000", 0, {},
        "% prov. agente princ.");
  campo(190, "txt", "PercProvv2", no, 0, -1, 0, "", Dim("-14.3"), no, "#,###.^^^", "#,###.000", 0, {},
        "% prov. secondo agente");
  if (vb::UgualeTesto(osRegimeMargine, "S")) campo(195, "txt", "BeneUsato", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(400, "txt", "DoveStampoDesLung", no, 0, -1, 0, osDoveStampoDesLung, zero, no, "", no, 0);
  campo(410, "txt", "NotaSopraStamp", no, 0, -1, 0, "N", zero, no, "", no, 0);
  campo(420, "txt", "NotaSopra", no, 0, -1, 0, "", Dim("1000"), no, "", no, 0);
  campo(430, "txt", "NotaSottoStamp", no, 0, -1, 0, "N", zero, no, "", no, 0);
  campo(440, "txt", "NotaSotto", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(540, "lab", "FattDocumentoProv", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(500, "lab", "AnnoRifProv", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(510, "lab", "NumRifProv", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(520, "lab", "RigaRifProv", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(530, "lab", "QtaProv", no, 0, -1, 0, "", zero, no, g.gsMascQta, g.gsMascQtaVar, 0);
  campo(119, "txt", "CompGiornMens", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(117, "txt", "DataCompDa", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(118, "txt", "DataCompA", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(220, "txt", "DescPers1", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(230, "txt", "DescPers2", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(265, "txt", "DescPers3", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(267, "txt", "DescPers4", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(240, "txt", "TipoProv", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(205, "txt", "SoggRitAcc", no, 0, -1, 0, "S", zero, no, "", no, 0);
  campo(215, "txt", "RigLivRAEE", no, 0, -1, 0, "", zero, no, "", no, 0);
  campo(830, "txt", "Contratto", no, 0, -1, 0, osContratto, zero, no, "", no, 0);
  const int dimensioni[] = {250, 260, 270, 800, 810, 820};
  const char* colonne[] = {"Lunghezza", "Larghezza", "Altezza"};
  for (int i = 0; i < 3; ++i)
    campo(dimensioni[mbQtaDaDimen ? i : i + 3], "txt", colonne[i], no, 0, -1, 0, "", Dim("-14.4"), no, "#,###.####",
          no, 0);
}
