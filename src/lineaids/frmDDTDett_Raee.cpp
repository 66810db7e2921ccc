// Eco-fee (RAEE) lines: an article whose master names an eco-fee article is
// followed by a line of that article with the same quantity, priced from
// the document's base list. The article line's RigLivRAEE holds the RigLiv
// of its eco-fee line; the eco-fee line carries no link. The line's hooks
// decide when each procedure runs (frmDDTDett_Prima.cpp, _Dopo.cpp,
// _Comandi.cpp, _Timer.cpp).
//
// An eco-fee line is always found by its RigLiv together with its article:
// a line that merely shares the number is never updated, deleted or
// selected for deletion.
#include <algorithm>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Currency.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
vb::Variant V(const std::string& s) { return vb::Variant(s); }
vb::Variant Facoltativo(const std::string& s) { return FC().Vuoto(V(s)) ? vb::Missing : V(s); }

template <class F>
void Ignora(F f) {
  try {
    f();
  } catch (...) {
  }
}

// Plain text of a number, decimal comma, as the user types it.
std::string Semplice(double v) {
  std::string s = vb::Currency::FromDouble(v).ToString();
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

// The DDT's working lines.
std::string ChiaveRaee(const frmDDTDett& f) {
  const auto& fc = FC();
  return " where Anno = " + fc.ValoreSql(vb::Variant(f.AnnoDoc()), 2) +
         " AND NumRif = " + fc.ValoreSql(vb::Variant(f.NumRifDoc()), 3);
}

}  // namespace

// ------------------------------------------------------------ creation

void frmDDTDett::CreaRigArtRAEE() {
  Globali& g = G();
  const auto& fc = FC();
  const int16_t keyPrima = g.giKeyRicDdt;
  g.giKeyRicDdt = 0;
  const std::string codice = msArtRaeeDaCreare;
  const int32_t rigLivRaee = mlRigLivRaee;
  bool salvata = false;
  try {
    if (!HaPagina() || codice.empty()) {
      g.giKeyRicDdt = keyPrima;
      return;
    }
    SpostaFuoco(&txt(20));
    ui::DoEvents();
    txt(20).SetText(codice);
    msArtRaeeDaCreare.clear();
    txt_LostFocus(20);
    ui::DoEvents();

    masValIngresso[30].clear();
    Ignora([&] { SpostaFuoco(&txt(30)); });
    ui::DoEvents();
    txt(30).SetText(Semplice(mdQtaRaee));
    txt_LostFocus(30);

    // No payment discount, no discounts, no commissions.
    che(75).SetValue(0);
    for (int n : {75, 80, 100, 110, 120, 90, 180, 190}) txt(n).SetText("");
    lab(80).SetCaption("");

    std::string sconto = osArtLisSconto, modSconto = osArtLisModSconto;
    const vb::Variant trovato =
        UtilDocFattGest::RicPrezzo("L", osIntTipo, txt(670).Text(), miAnnoMag, txt(20).Text(), osListBase, osListBaseIvato,
                                   osPrzIvato, osDataRif, osMoneta, oiNumDecMonGes, fc.ValDouble(V(txt(150).Text()), true),
                                   txt(140).Text(), odPercIva, sconto, modSconto);
    osArtLisSconto = sconto;
    osArtLisModSconto = modSconto;
    double prezzo = fc.ValDouble(trovato, true);
    if (!vb::UgualeTesto(osMoneta, g.gsMonetaDitta)) {
      double lire = 0, euro = 0, doc = 0;
      AziendaUtil::ConvLireEuro(vb::Variant(prezzo), Facoltativo(osCambio), Facoltativo(osMonOper), V(osMoneta), lire,
                                euro, doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false, "M",
                                "E", vb::Missing);
      prezzo = doc;
    }
    Ignora([&] {
      txt(60).SetText("");
      SpostaFuoco(&txt(60));
    });
    ui::DoEvents();
    masValIngresso[60].clear();
    txt(60).SetText(fc.MascheraNum(vb::Variant(prezzo), oiNumDecMonGes, {}, false, "#,##0", 0, "", "0"));
    txt_LostFocus(60);

    g.giKeyRicDdt = keyPrima;
    if (miStatoRaee == 2) miStatoRaee = 3;
    miNoEventiGriglia = 1;
    const std::string rifiuto = servizi::Testo(ButtonComando("Salva"));
    miNoEventiGriglia = 0;
    salvata = rifiuto.empty();
    ui::DoEvents();
  } catch (...) {
    miNoEventiGriglia = 0;
    g.giKeyRicDdt = keyPrima;
    Ignora([] { frmMsgCom::MsgErrfrm(); });
  }
  if (salvata || rigLivRaee <= 0) return;
  // The eco-fee line did not get stored: the article line points at no line
  // rather than at whatever line takes that number later.
  if (miStatoRaee == 3 || miStatoRaee == 2) miStatoRaee = 0;
  Ignora([&] {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Update " + g.gsTabDettApp + " Set RigLivRAEE = 0" + ChiaveRaee(*this) +
                                                  " AND RigLivRAEE = " + fc.ValoreSql(vb::Variant(rigLivRaee), 3) +
                                                  " AND Not Exists (Select RigLiv from " + g.gsTabDettApp + " R2" +
                                                  " where R2.Anno = " + g.gsTabDettApp + ".Anno AND R2.NumRif = " +
                                                  g.gsTabDettApp + ".NumRif AND R2.RigLiv = " +
                                                  fc.ValoreSql(vb::Variant(rigLivRaee), 3) + ")");
  });
}

// ------------------------------------------------------------ update

void frmDDTDett::AggRigaRAEE() {
  Globali& g = G();
  const auto& fc = FC();
  dati::GestRecordset rs;
  std::string k;
  try {
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                         "Select * from " + g.gsTabDettApp + ChiaveRaee(*this) +
                             " AND RigLiv = " + fc.ValoreSql(V(txt(215).Text()), 3) +
                             " AND Articolo = " + fc.ValoreSql(V(msArtRaee), 8),
                         false, 2);
    if (rs.NessunRecord(k)) {
      frmMsgCom::msgCom("Attenzione: record corrispondente per importo RAEE non aggiornato correttamente", "&Ok");
    } else {
      rs.ModificaRecord(k);
      const double qta = fc.ValDouble(V(txt(30).Text()), true);
      rs.ScriviCampo(k, "Qta", vb::Variant(qta));
      const double unitario = fc.ValDouble(rs.LeggiCampo(k, "ValUnitario"), true);
      if (unitario != 0) {
        const double totale = fc.Arrotonda(vb::Variant(qta * unitario), "A", 1, -oiNumDecMon);
        double lire = 0, euro = 0, doc = 0;
        AziendaUtil::ConvLireEuro(vb::Variant(totale), Facoltativo(osCambio), Facoltativo(osMonOper), V(osMoneta), lire,
                                  euro, doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false, "E",
                                  "E", vb::Missing);
        rs.ScriviCampo(k, "ValTotale", vb::Variant(totale));
        rs.ScriviCampo(k, "ValLire", vb::Variant(lire));
        rs.ScriviCampo(k, "ValEuro", vb::Variant(euro));
      }
      rs.SalvaRecord(k);
    }
  } catch (...) {
    Ignora([] { frmMsgCom::MsgErrfrm(vb::Missing, vb::Missing, {}, " Riga articolo RAEE non aggiornata"); });
  }
  Ignora([&] {
    if (!k.empty()) rs.ChiudiRecordset(k);
  });
  mbRinumera = true;
}

void frmDDTDett::CancRigaRAEE(const std::string& psArtRaee) {
  Globali& g = G();
  const auto& fc = FC();
  mbRinumera = true;
  g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Delete from " + g.gsTabDettApp + ChiaveRaee(*this) +
                                                " AND RigLiv = " + fc.ValoreSql(V(txt(215).Text()), 3) +
                                                " AND Articolo = " + fc.ValoreSql(V(psArtRaee), 8));
}

// ------------------------------------------------------------ deletion

bool frmDDTDett::AggSelRigLiv(int32_t plRigLiv) { return AggSelRigLivArt(plRigLiv, msArtRaee); }

bool frmDDTDett::AggSelRigLivArt(int32_t plRigLiv, const std::string& psArtRaee) {
  if (!HaPagina() || plRigLiv <= 0 || psArtRaee.empty()) return false;
  dati::Recordset* rs = ogLinPag().Recordset();
  if (!rs || rs->RecordCount() == 0) return false;
  const std::string segno = rs->NessunaCorrente() ? std::string() : rs->Bookmark();
  bool trovato = false;
  rs->MoveFirst();
  for (; !rs->EOF_(); rs->MoveNext()) {
    if (FC().ValLong(rs->Leggi("RigLiv"), true, true) == plRigLiv &&
        vb::UgualeTesto(servizi::Testo(rs->Leggi("Articolo")), psArtRaee)) {
      std::vector<std::string>& sel = ogLinPag().SelBookmarks();
      const std::string b = rs->Bookmark();
      if (std::find(sel.begin(), sel.end(), b) == sel.end()) sel.push_back(b);
      trovato = true;
      break;
    }
  }
  if (!segno.empty()) rs->SetBookmark(segno);
  return trovato;
}

void frmDDTDett::AggSelRAEE() {
  if (!HaPagina()) return;
  dati::Recordset* rs = ogLinPag().Recordset();
  if (!rs) return;
  std::vector<std::string>& sel = ogLinPag().SelBookmarks();
  if (miRigaCanc >= 1) {
    if (msArtRaee.empty()) return;
    if (AggSelRigLivArt(FC().ValLong(V(txt(215).Text()), true, true), msArtRaee)) {
      if (!rs->NessunaCorrente()) {
        const std::string b = rs->Bookmark();
        if (std::find(sel.begin(), sel.end(), b) == sel.end()) sel.push_back(b);
      }
      miRigaCanc = 0;
    }
    return;
  }
  const std::string segno = rs->NessunaCorrente() ? std::string() : rs->Bookmark();
  const std::vector<std::string> scelte = sel;
  Globali& g = G();
  for (const std::string& b : scelte) {
    rs->SetBookmark(b);
    if (!vb::UgualeTesto(servizi::Testo(rs->Leggi("TipoRiga")), "A")) continue;
    const int32_t legata = FC().ValLong(rs->Leggi("RigLivRAEE"), true, true);
    if (legata <= 0) continue;
    // The eco-fee article the line's article names now.
    dati::GestRecordset art;
    const std::string k = art.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                            "Select ArtRAEE from Articoli Where Articolo = " +
                                                FC().ValoreSql(rs->Leggi("Articolo"), 8),
                                            false, 4);
    const std::string codice = art.NessunRecord(k) ? std::string() : servizi::Testo(art.LeggiCampo(k, "ArtRAEE"));
    art.ChiudiRecordset(k);
    if (!obNoRaeeAutom && !codice.empty()) AggSelRigLivArt(legata, codice);
    rs->SetBookmark(b);
  }
  if (!segno.empty()) rs->SetBookmark(segno);
}

// ------------------------------------------------------------ insertion after a stored line

void frmDDTDett::InsVarRigaRAEE() {
  const auto& fc = FC();
  try {
    miStatoRaee = 2;
    mbRaeeDaCreare = true;
    mlRigDetArtRaee = fc.ValLong(V(txt(10).Text()), true, true);
    mdQtaRaee = fc.ValDouble(V(txt(30).Text()), true);
    mlRigLivRaee = -1;
    msArtRaeeDaCreare = msArtRaee;
    dati::Recordset* rs = HaPagina() ? ogLinPag().Recordset() : nullptr;
    if (!rs) return;
    if (rs->AbsolutePosition() + 1 >= rs->RecordCount()) {
      ui::DoEvents();
      ButtonComando("Nuovo");
    } else {
      rs->MoveNext();
      ui::DoEvents();
      ButtonComando("Inserisci");
    }
  } catch (...) {
    Ignora([] { frmMsgCom::MsgErrfrm(); });
  }
}

void frmDDTDett::DopoInsVarRigaRAEE() {
  Globali& g = G();
  const auto& fc = FC();
  miStatoRaee = 0;
  mbRaeeDaCreare = false;
  try {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Update " + g.gsTabDettApp + " Set RigLivRAEE = " +
                                                  fc.ValoreSql(vb::Variant(mlRigLivRaee), 3) + ChiaveRaee(*this) +
                                                  " AND RigDet = " + fc.ValoreSql(vb::Variant(mlRigDetArtRaee), 3));
  } catch (...) {
    Ignora([] { frmMsgCom::MsgErrfrm(); });
    return;
  }
  Ignora([&] {
    barre::gridlib::PaginaRighe& p = ogLinPag();
    const vb::Variant prima = p.LeggiVarPagina("MsgAnn");
    p.ScriviVarPagina("MsgAnn", 12, V("N"));
    Ignora([&] { ButtonComando("Annulla"); });
    if (HaPagina()) ogLinPag().ScriviVarPagina("MsgAnn", 12, prima);
  });
  Ignora([] { ui::DoEvents(); });
  miNoEventiGriglia = 0;
  mbInsInMezzo = false;
  int32_t riga = mlRigDetArtRaee;
  Ignora([&] {
    if (HaPagina()) AggVisRighe(riga);
  });
}
