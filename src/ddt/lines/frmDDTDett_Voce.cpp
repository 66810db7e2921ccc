// What the grid needs of the line entry: the read/write mode, entry and
// exit of the fields, the line kind and its panels, the combos and check
// boxes that show the hidden bound fields, the deletion check, the
// insertion at a position. The decoders and the pricing complete it.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "lots/UtilLotto.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

using namespace DettUtil;

namespace fcu = vb::FunzioniComuniUi;

// ---- read/write mode

void frmDDTDett::SetoiAbilRW(int16_t piValore) {
  oiAbilRW = piValore;
  const bool stampato = !Vuoto(osStato);
  SenzaErrori([&] {
    auto& tb = tolLinPag();
    for (const char* k : {"Copia", "Taglia", "Incolla", "Inserisci"})
      if (tb.HaElem(k)) tb.Elem(k).Visible = !(stampato || piValore == 0);
    tb.ElementoCambiato();
  });
  SenzaErrori([&] {
    ui::Controllo& sola = label1(28);
    if (stampato || oiAbilRW == 0) {
      sola.SetCaption(stampato ? "Modif.solo righe descr." : "Solo Visualizzazione");
      sola.SetVisible(true);
    } else {
      sola.SetVisible(false);
    }
  });
  // Before the load has created the page there is nothing to tell it.
  if (!HaPagina()) return;
  SenzaErrori([&] {
    auto& p = ogLinPag();
    p.AbilRW(oiAbilRW);
    std::string corr, tot;
    p.ImpAbilRW(corr, tot);
    C("txtRiga").SetText(corr + " / " + tot);
  });
}

// ---- line kinds and mandatory fields

void frmDDTDett::VisualDettDescr(bool pbFocus) {
  const std::string tipo = vb::Trim(txt(18).Text());
  const int pannello = Uguale(tipo, "D") ? 1 : Uguale(tipo, "C") ? 2 : 0;
  for (int i = 0; i < 3; ++i) C("PicDett", i).SetVisible(i == pannello);
  CampiObblig(pannello == 0);
  if (!pbFocus) return;
  // The first field of the page, with its containers, enabled and shown,
  // and the focus on it when it can take it.
  ui::Controllo& primo = pannello == 1 ? txt(425) : pannello == 2 ? cob(900) : txt(20);
  fcu::AbilContenitore(primo, true);
}

void frmDDTDett::CampiObblig(bool pbObbl) {
  if (!HaPagina()) return;
  auto& p = ogLinPag();
  for (int n : {30, 130})
    if (p.HaCampo(NomeCampo(n))) p.Campi(NomeCampo(n)).oiObblig = pbObbl ? -1 : 0;
  NoObblManuale(pbObbl);
}

void frmDDTDett::NoObblManuale(bool pbObbl) {
  if (!HaPagina()) return;
  auto& p = ogLinPag();
  // A line without an article code needs neither unit nor factor.
  const bool obbl = !Vuoto(txt(20).Text()) && pbObbl;
  for (int n : {140, 150})
    if (p.HaCampo(NomeCampo(n))) p.Campi(NomeCampo(n)).oiObblig = obbl ? -1 : 0;
}

void frmDDTDett::ImpParamCom(bool pbAgg) {
  if (miInAggNonText == 1) return;
  if (pbAgg) {
    txt(910).SetText("");
    txt(420).SetText("");
  }
  const std::string comando = vb::Trim(txt(900).Text());
  const bool ss = Uguale(comando, "SS");
  txt(910).SetVisible(!ss);
  label1(910).SetVisible(!ss);
  cob(920).SetVisible(ss);
  label1(920).SetVisible(ss);
  if (!ss) {
    bool senza = false;
    for (const char* c : {"TD", "PA", "NS", "AZ"}) senza = senza || Uguale(comando, c);
    txt(910).SetEnabled(!senza);
  } else if (pbAgg && cob(920).ListCount() > 0) {
    cob(920).SetListIndex(0);
  }
}

// ---- the visible controls of the hidden bound fields

void frmDDTDett::AggNonText() {
  // Positioning a list clicks it: the click writes the same code back into
  // the bound box (a code outside the list leaves it empty, as a choice of
  // nothing would).
  txt(425).SetText(txt(420).Text());
  fcu::SelezCombo(cob(170), vb::Variant(txt(170).Text()));
  fcu::SelezComboCtrl(cob(400), txt(400));
  const auto stampa = Vettore(mavStampaNota);
  FunVarie::PosizCombo(cob(410), vb::Variant(txt(410).Text()), stampa, true, true);
  FunVarie::PosizCombo(cob(430), vb::Variant(txt(430).Text()), stampa, true, true);
  FunVarie::PosizCombo(cob(435), vb::Variant(txt(410).Text()), stampa, true, true);
  // Positioning the command list would clear the parameter of the line
  // shown: ImpParamCom, and the clicks of the two command lists, wait until
  // the end.
  miInAggNonText = 1;
  try {
    FunVarie::PosizCombo(cob(900), vb::Variant(txt(900).Text()), Vettore(mavComandiRiga), true, true);
    if (!Uguale(vb::Trim(txt(900).Text()), "SS"))
      txt(910).SetText(txt(420).Text());
    else
      fcu::SelezComboCtrl(cob(920), txt(420));
  } catch (...) {
    miInAggNonText = 0;
    throw;
  }
  miInAggNonText = 0;
  ImpParamCom(false);
  che(75).SetValue(Uguale(vb::Trim(txt(75).Text()), "S") ? 1 : 0);
  che(175).SetValue(Uguale(vb::Trim(txt(175).Text()), "S") ? 1 : 0);
  if (mbQtaDaDimen) {
    txt(800).SetText(txt(250).Text());
    txt(810).SetText(txt(260).Text());
    txt(820).SetText(txt(270).Text());
  }
  che(205).SetValue(Uguale(vb::Trim(txt(205).Text()), "S") ? 1 : 0);
  // The commission reductions of the line's rules are read again.
  mdPercRidProvvTab = -2;
  mdPercRidProvvQta = -2;
}

void frmDDTDett::ComTipoRiga_Click(int Index) {
  const char* tipo = (Index == 1 || Index == 4) ? "A" : (Index == 2 || Index == 5) ? "C" : "D";
  if (!Vuoto(osStato)) {
    const bool nuova = HaPagina() && ogLinPag().Stato() == 2;
    frmMsgCom::msgCom(std::string("DDT già stampato") + "\r\n" +
                          (nuova ? "Si possono inserire soltanto righe descrittive" : "Impossibile cambiare il tipo riga"),
                      "&Ok");
    return;
  }
  auto& p = ogLinPag();
  // The line keeps its key: its number and its stable key survive the
  // clearing of its fields.
  const std::string rigLiv = lab(15).Caption();
  std::vector<std::pair<ui::Controllo*, std::string>> chiave;
  for (const auto& c : p.Elenco())
    if (c->oiChiave == 1 && c->ctrl) chiave.emplace_back(c->ctrl, c->ctrl->Text());
  p.PulisciRiga(0);
  for (auto& [ctrl, testo] : chiave) ctrl->SetText(testo);
  auto nonObblig = [&](int n) {
    if (p.HaCampo(NomeCampo(n))) p.Campi(NomeCampo(n)).oiObblig = 0;
  };
  if (tipo[0] == 'A') {
    txt(18).SetText("A");
    txt(30).SetText(G().gsQtaDef);
    MostraCRicavi(false, false, "");
  } else {
    txt(18).SetText(tipo);
    txt(100).SetText("");
    txt(160).SetText("");
    if (tipo[0] == 'D') txt(410).SetText("S");
    txt(30).SetText("");
    nonObblig(165);
  }
  lab(15).SetCaption(rigLiv);
  AggNonText();
  VisualDettDescr(true);
}

// ---- deletion and insertion

int16_t frmDDTDett::DettNonCanc(std::string& psTesto) {
  psTesto.clear();
  const bool lotti = Uguale(osLottoTipOpe, "C") || Uguale(osLottoTipOpe, "I");
  if (Vuoto(osStato) && Vuoto(osProvenienza) && !lotti) return 0;
  std::string scar, car, gruppo, mastro, conto;
  UtilLotto::CalcMagaScarCar(osLottoTipOpe, "M", "C", osMagazzino, osMagazzDest, scar, car, gruppo, mastro, conto);
  const bool verifica = lotti && (oiTracQtaVer == 1 || oiTracQtaVer == 3);
  auto lottiScoperti = [&](int32_t rigLiv) -> int16_t {
    return UtilLotto::VerifCancLotti(osLottoTipOpe, G().gsTabRintraccia, AnnoDoc(), NumRifDoc(), scar, car, "da",
                                     psTesto, rigLiv);
  };
  const bool stampato = !Vuoto(osStato);
  int16_t ris = 0;
  auto& p = ogLinPag();
  if (miRigaCanc < 1) {
    // Every selected row, in the order of the selection; the page's row
    // comes back at the end.
    auto& rs = p.OggDati();
    const std::string& k = p.ChiaveDati();
    dati::Recordset& dao = rs.RecordsetDao(k);
    const std::string torna = dao.Bookmark();
    try {
      for (const std::string& b : p.SelBookmarks()) {
        dao.SetBookmark(b);
        const std::string tipo = vb::Trim(servizi::Testo(rs.LeggiCampo(k, "TipoRiga")));
        if (Uguale(tipo, "A") || Uguale(tipo, "M")) {
          if (stampato) {
            ris = 1;
            break;
          }
          if (FC().ValLong(rs.LeggiCampo(k, "AnnoRifProv")) != 0 || FC().ValLong(rs.LeggiCampo(k, "NumRifProv")) != 0) {
            ris = 2;
            break;
          }
        }
        if (Uguale(tipo, "A") && verifica) {
          const int16_t r = lottiScoperti(FC().ValLong(rs.LeggiCampo(k, "RigLiv")));
          if (r > 0) {
            ris = r;
            break;
          }
        }
      }
    } catch (...) {
      if (!torna.empty()) dao.SetBookmark(torna);
      throw;
    }
    if (!torna.empty()) dao.SetBookmark(torna);
    return ris;
  }
  const std::string tipo = vb::Trim(txt(18).Text());
  if (Uguale(tipo, "A") || Uguale(tipo, "M")) {
    if (stampato) return 1;
    if (FC().ValLong(vb::Variant(lab(500).Caption())) != 0 || FC().ValLong(vb::Variant(lab(510).Caption())) != 0)
      return 2;
  }
  if (!Uguale(msGestRintraccia, "N") && verifica) return lottiScoperti(FC().ValLong(vb::Variant(lab(15).Caption())));
  return 0;
}

void frmDDTDett::CompletaInserisci(std::string& psKey) {
  // The mode the command asked: saving a line inserted in the middle has
  // already cleared mbInsInMezzo (the page left the new row), yet the next
  // new line goes in the middle too.
  if (mbInsInMezzoRich) {
    auto& p = ogLinPag();
    // A place that cannot be read is -1: the page then uses its own.
    long pos = -1, riga = -1;
    SenzaErrori([&] {
      dati::Recordset* rs = datRiga().Recordset();
      if (rs && !rs->NessunaCorrente()) pos = rs->AbsolutePosition() + 1;
    });
    SenzaErrori([&] {
      // The row's place among the rows in view, at most the last of them.
      ui::Griglia& g = dbgRiga();
      const long inVista = g.Row();
      const long altezza = std::max(1L, g.RowHeight());
      const long visibili = std::max(1L, g.Height() / altezza - 1);
      if (inVista >= 0)
        riga = FC().Minimo({vb::Variant(static_cast<long long>(inVista)), vb::Variant(static_cast<long long>(visibili - 1))}).ToLong();
    });
    p.ImpPermessoB(pos);
    p.ImpPermessoC(riga);
    p.ImpPermessoA(1);
  }
  psKey = "Nuovo";
}

void frmDDTDett::AnnullaIns(bool pbSempre) {
  const std::string tipo = vb::Trim(txt(18).Text());
  const bool vuota = (Uguale(tipo, "A") || Uguale(tipo, "M")) && Vuoto(txt(20).Text()) && Vuoto(txt(26).Text());
  if (!pbSempre && !vuota) return;
  auto& p = ogLinPag();
  const vb::Variant prima = p.LeggiVarPagina("MsgAnn", 12);
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
  try {
    ButtonComando("Annulla");
  } catch (...) {
    p.ScriviVarPagina("MsgAnn", 12, prima);
    throw;
  }
  p.ScriviVarPagina("MsgAnn", 12, prima);
}

// ---- entry and exit of the fields

void frmDDTDett::MsgPannello(const std::string& psTesto) {
  if (!Esiste("staMessaggi")) return;
  ui::Controllo& s = C("staMessaggi");
  if (!s.HaElem("Messaggio")) return;
  s.Elem("Messaggio").Caption = psTesto;
  s.ElementoCambiato();
}
