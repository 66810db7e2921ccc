// The sixth page: the invoice that evaded the DDT shown and the orders or
// quotes its lines came from. Filled once per DDT shown, read-only.
#include <algorithm>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Griglia.h"

namespace {

std::string Testo(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? std::string() : v.ToString(); }

// Room a cell and a heading take besides their text, in twips.
constexpr long kMargineColonna = 300;

// Each column of the documents of origin holds its heading and its widest
// value whole in the grid's fonts, never less than the width it has.
void LarghezzeProvenienza(ui::Griglia& g) {
  struct Campione {
    const char* nome;
    const char* valore;
  };
  const Campione campioni[] = {
      {"AnnoRiferim", "9999"}, {"NumRiferim", "9999999"}, {"NumDoc", "9999999"}, {"DataDoc", "00/00/0000"}};
  ui::Backend& b = ui::BackendAttivo();
  for (int i = 0; i < g.NumColonne(); ++i) {
    ui::ColonnaGriglia& c = g.Colonna(i);
    long w = std::max(c.Width, b.MisuraTesto(g.HeadFont(), c.Caption, 0).larghezza + kMargineColonna);
    for (const Campione& k : campioni)
      if (vb::UgualeTesto(c.DataField, k.nome))
        w = std::max(w, b.MisuraTesto(g.Font(), k.valore, 0).larghezza + kMargineColonna);
    c.Width = w;
  }
  g.ColonnaCambiata();
}

}  // namespace

void frmDdtTest::MostraProvenienza() {
  if (!HaBarra() || ogComPag().oiFlagOpe() != 1 || miProvCaricata > 0) return;
  miProvCaricata = 1;
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string T = G().gsTabTest, D = G().gsTabDett;

  ui::Controllo& griglia = C("dbgProvenienza");
  const ui::Controllo& pagina = C("PicPagine", 5);
  griglia.SetHeight(std::max(0L, pagina.Height() - griglia.Top()));
  griglia.SetWidth(pagina.Width());

  auto& datiProv = dynamic_cast<ui::DatiControllo&>(C("datProvenienza"));
  datiProv.SetRecordset(nullptr);
  if (!msKeyRsProv.empty()) {
    try {
      mgRsProv.ChiudiRecordset(msKeyRsProv);
    } catch (...) {
    }
  }

  const std::string y = fc.ValoreSql(txt(20).Text(), vb::vbInteger);
  const std::string n = fc.ValoreSql(txt(10).Text(), vb::vbLong);
  std::string sql = "Select FatTest.Anno, FatTest.NumRif, FatTest.PreDoc, FatTest.NumDoc, FatTest.DataDoc FROM ";
  const std::string rag = txt(450).Text();
  if (vb::UgualeTesto(rag, "E") || vb::UgualeTesto(rag, "A"))
    sql += "(" + T + " INNER JOIN FatAccum ON (" + T + ".NumRif = FatAccum.DDTNumRif) AND (" + T +
           ".Anno = FatAccum.DDTAnno)) INNER JOIN FatTest ON (FatAccum.FatNumRif = FatTest.NumRif) AND "
           "(FatAccum.FatAnno = FatTest.Anno) Where " +
           T + ".Anno = " + y + " And " + T + ".NumRif = " + n;
  else
    sql += "(" + T + " INNER JOIN FatDett ON (" + T + ".NumRif = FatDett.NumRifProv) AND (" + T +
           ".Anno = FatDett.AnnoRifProv)) INNER JOIN FatTest ON (FatDett.NumRif = FatTest.NumRif) AND "
           "(FatDett.Anno = FatTest.Anno) Where FatDett.TipoProv = " +
           fc.ValoreSql("D", vb::vbString) + " And " + T + ".Anno = " + y + " And " + T + ".NumRif = " + n;
  msKeyRsProv = mgRsProv.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
  ui::Controllo& apri = C("ComPosizFat");
  if (mgRsProv.NessunRecord(msKeyRsProv)) {
    if (vb::UgualeTesto(txt(110).Text(), "E")) {
      ui::Controllo& barra = C("tolComPag");
      if (barra.HaElem("RipEvasione")) {
        barra.Elem("RipEvasione").Visible = true;
        barra.ElementoCambiato();
      }
    }
    for (int l : {2000, 2010, 2020, 2030, 2040}) lab(l).SetCaption("");
    apri.SetVisible(false);
  } else {
    lab(2000).SetCaption(Testo(mgRsProv.LeggiCampoNull(msKeyRsProv, "Anno")));
    lab(2010).SetCaption(Testo(mgRsProv.LeggiCampoNull(msKeyRsProv, "Numrif")));
    lab(2020).SetCaption(Testo(mgRsProv.LeggiCampoNull(msKeyRsProv, "PreDoc")));
    lab(2030).SetCaption(Testo(mgRsProv.LeggiCampoNull(msKeyRsProv, "NumDoc")));
    lab(2040).SetCaption(Testo(mgRsProv.LeggiCampoNull(msKeyRsProv, "DataDoc")));
    apri.SetVisible(true);
  }
  mgRsProv.ChiudiRecordset(msKeyRsProv);

  ui::Controllo& nessuno = C("labProv");
  const std::string prov = txt(126).Text();
  std::string origine;
  if (vb::UgualeTesto(prov, "O")) origine = "OrdVenTest";
  else if (vb::UgualeTesto(prov, "P")) origine = "PreVenTest";
  if (origine.empty()) {
    griglia.SetVisible(false);
    nessuno.SetVisible(true);
    return;
  }
  griglia.SetVisible(true);
  nessuno.SetVisible(false);
  sql = "Select " + D + ".AnnoRifProv as AnnoRiferim, " + D + ".NumRifProv as NumRiferim, First(" + origine +
        ".NumDoc) AS NumDoc, First(" + origine + ".DataDoc) AS DataDoc FROM " + D + " LEFT JOIN " + origine +
        " ON (" + D + ".AnnoRifProv = " + origine + ".Anno) AND (" + D + ".NumRifProv = " + origine +
        ".NumRif) Where " + D + ".TipoProv = " + fc.ValoreSql(prov, vb::vbString) + " And " + D + ".Anno = " + y +
        " And " + D + ".NumRif = " + n + " GROUP BY " + D + ".AnnoRifProv, " + D + ".NumRifProv, " + D +
        ".TipoProv";
  msKeyRsProv = mgRsProv.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
  datiProv.SetRecordset(&mgRsProv.RecordsetDao(msKeyRsProv));
  if (auto* g = dynamic_cast<ui::Griglia*>(&griglia)) {
    g->ColonneDaCampi();
    LarghezzeProvenienza(*g);
  }
}

void frmDdtTest::ComPosizFat_Click() {
  const auto& fc = vb::FunzioniComuni::Istanza();
  int16_t anno = fc.ValInt(lab(2000).Caption(), true, true);
  int32_t numero = fc.ValLong(lab(2010).Caption(), true);
  AziendaUtil::ApriFatturaCollegata(anno, numero);
}
