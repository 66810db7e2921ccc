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
#include "lots/UtilLotto.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }
bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }

// The entry value of a field shown in the error colour: no text equals it,
// so the field's exit always runs its own step.
const char* const kInErrore = "~ç§@*+";

bool ValidoIndice(int n) { return n >= 0 && n <= 920; }

// Runs `f` ignoring its errors, as the procedures that answer nothing of
// their failures do.
template <class F>
void SenzaErrori(F&& f) {
  try {
    f();
  } catch (const vb::Errore&) {
  } catch (const std::exception&) {
  }
}

std::vector<vb::Variant> Vettore(const auto& a) { return std::vector<vb::Variant>(a.begin(), a.end()); }

// The item of a combo whose text begins with the code and "-" ("S-Omaggio").
void SelezPerCodice(ui::Controllo& c, const std::string& codice) {
  int scelto = -1;
  if (!Vuoto(codice))
    for (int i = 0; i < c.ListCount() && scelto < 0; ++i) {
      const std::string& v = c.List(i);
      const auto t = v.find('-');
      if (t != std::string::npos && Uguale(v.substr(0, t), vb::Trim(codice))) scelto = i;
    }
  c.SetListIndex(scelto);
}

// The item of a combo whose item data is the value; none for an empty or
// unknown value.
void SelezPerValore(ui::Controllo& c, const std::string& valore) {
  int scelto = -1;
  if (!Vuoto(valore)) {
    const long v = FC().ValLong(vb::Variant(valore));
    for (int i = 0; i < c.ListCount() && scelto < 0; ++i)
      if (c.ItemData(i) == v) scelto = i;
  }
  c.SetListIndex(scelto);
}

}  // namespace

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
  ui::Controllo& primo = pannello == 1 ? txt(425) : pannello == 2 ? cob(900) : txt(20);
  primo.SetEnabled(true);
  if (primo.PuoFuoco()) primo.SetFocus();
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
  txt(425).SetText(txt(420).Text());
  SelezPerCodice(cob(170), txt(170).Text());
  SelezPerValore(cob(400), txt(400).Text());
  const auto stampa = Vettore(mavStampaNota);
  FunVarie::PosizCombo(cob(410), vb::Variant(txt(410).Text()), stampa, true, true);
  FunVarie::PosizCombo(cob(430), vb::Variant(txt(430).Text()), stampa, true, true);
  FunVarie::PosizCombo(cob(435), vb::Variant(txt(410).Text()), stampa, true, true);
  // Positioning the command list would clear the parameter of the line
  // shown: ImpParamCom waits until the end.
  miInAggNonText = 1;
  try {
    FunVarie::PosizCombo(cob(900), vb::Variant(txt(900).Text()), Vettore(mavComandiRiga), true, true);
    if (!Uguale(vb::Trim(txt(900).Text()), "SS"))
      txt(910).SetText(txt(420).Text());
    else
      SelezPerValore(cob(920), txt(420).Text());
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
    long pos = -1, riga = -1;
    SenzaErrori([&] {
      if (dati::Recordset* rs = datRiga().Recordset()) {
        const long assoluta = rs->AbsolutePosition();
        if (assoluta >= 0) pos = assoluta + 1;
        // The grid shows every row it holds: the row's place, at most the
        // last shown row.
        const long righe = dbgRiga().NumRighe();
        if (assoluta >= 0 && righe > 0) riga = std::min(assoluta, righe - 1);
      }
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

void frmDDTDett::txt_GotFocus(int Index) {
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  ui::Controllo& t = txt(Index);
  const std::string& col = NomeCampo(Index);
  const bool campo = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
  switch (Index) {
    case 30: case 40: case 60: case 70: case 150: case 180: case 190:
    case 250: case 260: case 270: case 800: case 810: case 820:
      if (campo) ogLinPag().CampoGotFocus(t);
      if (Index == 60)
        MsgPannello(std::string("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario") +
                    (mbMostraCostoUltimo ? "; F4=Mostra costo ultimo" : ""));
      break;
    case 160:
      t.SetText(FC().FormatTipo(vb::Variant(t.Text()), "Conto"));
      break;
    case 420: case 440:
      MsgPannello("F7=Inserisce nella nota la descrizione lunga");
      break;
    default:
      break;
  }
  masValIngresso[static_cast<size_t>(Index)] = t.BackColor() == G().glColoreErrore ? std::string(kInErrore) : t.Text();
  if (t.Parent().ActiveControl() == &t) {
    t.SetSelStart(0);
    t.SetSelLength(static_cast<int>(t.Text().size()));
  }
  AziendaUtil::ColoraGotFocus(t, 0);
}

void frmDDTDett::txt_LostFocus(int Index) {
  if (mbInChiusura) return;
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  const Globali& g = G();
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  MsgPannello("");
  const std::string& ingresso = masValIngresso[static_cast<size_t>(Index)];
  const std::string& col = NomeCampo(Index);
  const bool campo = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
  auto formatta = [&] {
    if (campo) ogLinPag().CampoLostFocus(t);
  };
  auto inErrore = [&](ui::Controllo& c) { return c.BackColor() == g.glColoreErrore; };
  const bool numero = Index == 30 || Index == 60 || Index == 70 || Index == 180 || Index == 190 ||
                      (Index >= 250 && Index <= 270 && Index % 10 == 0) || (Index >= 800 && Index <= 820 && Index % 10 == 0);
  // Unchanged, with the article in order: only the format.
  if (t.Text() == ingresso && txt(20).BackColor() == g.glColoreSfondo && Index != 20 && Index != 40) {
    if (numero) formatta();
    else if (Index == 160) t.SetText(FC().Formatta(vb::Variant(t.Text()), "Conto"));
    return;
  }
  const bool cambiato = !Uguale(t.Text(), ingresso);
  switch (Index) {
    case 20:
      if (miArtMostrato != 1 || inErrore(t) || cambiato) MostraArticolo(true, false, true, cambiato);
      else DisabSeLivelli(true, true);
      if (inErrore(t)) MsgPannello("Codice Articolo non valido");
      break;
    case 30: case 40: case 60: case 70: case 180: case 190:
      formatta();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      break;
    case 80:
      MostraScontoTot(true, true);
      break;
    case 130:
      if (cambiato || inErrore(t)) MostraIva(true);
      break;
    case 140:
      MostraUM(true);
      if (inErrore(t)) MsgPannello("Codice Unità di Misura non valido");
      break;
    case 160: {
      const bool trattino = t.Text().find('-') != std::string::npos;
      t.SetBackColor(trattino ? g.glColoreErrore : g.glColoreSfondo);
      if (trattino) MsgPannello("Non usare - nel campo conto");
      const std::string scritto = t.Text();
      t.SetText(FC().Formatta(vb::Variant(scritto), "Conto"));
      MostraCRicavi(true, true, scritto);
      break;
    }
    case 165:
      MostraCentroDiCosto(true);
      break;
    case 195:
      MostraBeneUsato();
      break;
    case 250: case 260: case 270: case 800: case 810: case 820: {
      formatta();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      const int gemello = Index < 800 ? Index + 550 : Index - 550;
      txt(gemello).SetText(t.Text());
      break;
    }
    case 420: case 440: {
      ui::Controllo& modo = txt(Index == 420 ? 410 : 430);
      const std::string& def = Index == 420 ? msDoveStampoSopra : msDoveStampoSotto;
      if (!Vuoto(t.Text()) && Uguale(vb::Trim(modo.Text()), "N") && !Vuoto(def)) {
        modo.SetText(def);
        FunVarie::PosizCombo(cob(Index == 420 ? 410 : 430), vb::Variant(def), Vettore(mavStampaNota), true, true);
      }
      break;
    }
    case 425: case 910:
      // Both kinds of line keep their text in the note above.
      txt(420).SetText(t.Text());
      break;
    default:
      break;
  }
}

void frmDDTDett::GotTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    if (a && Uguale(a->Name(), "txt")) txt_GotFocus(a->Index());
  });
}

void frmDDTDett::LostTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    msCtrlAttivo = a ? a->Name() : std::string();
    if (a && Uguale(a->Name(), "txt")) txt_LostFocus(a->Index());
  });
}

// What the line entry shows of the current line: its decoders come with
// the line entry.
void frmDDTDett::MostraArticolo(bool, bool, bool, bool) {}
void frmDDTDett::MostraIva(bool) {}
void frmDDTDett::MostraUM(bool) {}
void frmDDTDett::MostraCentroDiCosto(bool) {}
void frmDDTDett::MostraTipoDocProv(bool) {}
void frmDDTDett::MostraBeneUsato() {}
void frmDDTDett::MostraCRicavi(bool, bool, const std::string&) {}
void frmDDTDett::MostraScontoTot(bool, bool) {}
void frmDDTDett::AbilDescArt(bool pbAbil) { NoObblManuale(!pbAbil); }
void frmDDTDett::AbilDisabArtRiepil(bool) {}
void frmDDTDett::DisabSeLivelli(bool, bool) {}
void frmDDTDett::AzzMemSconti() {}
void frmDDTDett::ChiediNotaLingua() {}
