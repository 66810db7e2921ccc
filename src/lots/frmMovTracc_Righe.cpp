// The rows: the hooks the line page calls around its operations, with the
// transaction of a save and of a delete; the commands, the grid query, its
// columns, the lot total on closing, the silent cancel of a new row.
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "lots/UtilLotto.h"
#include "lots/frmMovTracc.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(vb::Trim(a), b); }
int Msg(const std::string& testo) { return frmMsgCom::msgCom(testo, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600); }
}  // namespace

std::string frmMovTracc::LitAnno() const { return FC().ValoreSql(vb::Variant(txt(240).Text()), vb::vbInteger); }
std::string frmMovTracc::LitNum() const { return FC().ValoreSql(vb::Variant(txt(120).Text()), vb::vbLong); }
std::string frmMovTracc::LitRiga() const { return FC().ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong); }

std::string frmMovTracc::PrepSql() const {
  const std::string& T = osFileTraccApp;
  return "Select " + T + ".Anno, " + T + ".NumReg, " + T + ".RigLiv, " + T + ".Lotto, " + T + ".NrProgLotto as Nr, " +
         T + ".Qta, Lotti.Descrizione as Descriz, Lotti.DataScadenza as DataScad, (" + T + ".GruppoCliFor & '-' & " +
         T + ".MastroCliFor & '-' & " + T + ".ContoCliFor) as Fornitore, Pianoconti.Descrizione as Ragione_Sociale, " +
         T + ".Articolo, " + T + ".GruppoCliFor, " + T + ".MastroCliFor, " + T + ".ContoCliFor, " + T + ".DataReg, " +
         T + ".TipOpe, " + T + ".ArticoloProd, (" + T + ".GruppoProd & '-' & " + T + ".MastroProd & '-' & " + T +
         ".ContoProd) as Fornitore_Prod, " + T + ".GruppoProd, " + T + ".MastroProd, " + T + ".ContoProd, " + T +
         ".LottoProd, " + T + ".NrProgLottoProd as NrProd, " + T + ".NrProgLotto, " + T + ".NrProgLottoProd FROM (" +
         T + " LEFT JOIN Lotti ON Lotti.GruppoCliFor = " + T + ".GruppoCliFor And Lotti.MastroCliFor = " + T +
         ".MastroCliFor And Lotti.ContoCliFor = " + T + ".ContoCliFor And Lotti.Articolo = " + T +
         ".Articolo And Lotti.Lotto = " + T + ".Lotto And Lotti.NrProgLotto = " + T + ".NrProgLotto) Left Join " +
         "Pianoconti On Pianoconti.Gruppo = " + T + ".GruppoCliFor And Pianoconti.Mastro = " + T +
         ".MastroCliFor And Pianoconti.Conto = " + T + ".ContoCliFor where " + T + ".Anno = " + LitAnno() + " AND " +
         T + ".NumReg = " + LitNum() + " AND " + T + ".RigLiv = " + LitRiga() + " Order BY " + T + ".Lotto, " + T +
         ".NrProgLotto";
}

double frmMovTracc::TotaleLotti() {
  Globali& g = G();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         "Select sum(qta) as TotQta from " + osFileTraccApp + " WHERE Anno = " +
                                             LitAnno() + " AND NumReg = " + LitNum() + " AND RigLiv = " + LitRiga(),
                                         false, 4);
  double tot = 0;
  try {
    tot = FC().ValDouble(rs.LeggiCampo(k, "TotQta"));
  } catch (...) {
    rs.ChiudiRecordset(k);
    throw;
  }
  rs.ChiudiRecordset(k);
  return tot;
}

bool frmMovTracc::QtaDiversa() {
  if (!obTracQtaDivBloc) return false;
  const double tot = TotaleLotti();
  if (FunVarie::ArrotConfronta(vb::Variant(tot), vb::Variant(odQtaTot), -8) == 0) return false;
  const int dec = G().giNumDecQta;
  const std::string testo = "Quantità totale per lotti diversa dalla quantità della riga dettaglio (\r\nTotale = " +
                            FC().MascheraNum(vb::Variant(tot), dec, {}, false, "#,##0") + " - richiesto = " +
                            FC().MascheraNum(vb::Variant(odQtaTot), dec, {}, false, "#,##0") + ")";
  return frmMsgCom::msgCom(testo, "&Annulla", "&Conferma", vb::Missing, vb::Missing, 80, false, 600) != 2;
}

void frmMovTracc::AnnullaIns() {
  if (!FC().Vuoto(vb::Variant(txt(30).Text()))) return;
  auto& pag = ogLinPag();
  const vb::Variant prima = pag.LeggiVarPagina("MsgAnn", 12);
  pag.ScriviVarPagina("MsgAnn", 12, "N");
  try {
    ButtonComando("Annulla");
  } catch (...) {
    pag.ScriviVarPagina("MsgAnn", 12, prima);
    throw;
  }
  pag.ScriviVarPagina("MsgAnn", 12, prima);
}

vb::Variant frmMovTracc::ButtonNuovo() {
  if (ui::Controllo* a = ActiveControl(); a && Uguale(a->Name(), "txt")) txt_GotFocus(a->Index());
  ButtonComando("Nuovo");
  return {};
}

void frmMovTracc::ComHlp_Click(int Index) {
  if (Index == 45) {
    frmMsgCom::msgCom("La duplicazione del lotto fornitore non è ancora disponibile in questa versione del programma.",
                      "&Ok");
    return;
  }
  if (!Esiste("txt", Index)) return;
  SpostaFuoco(&txt(Index));
  txt_KeyUp(Index, 113, 0);
}

bool frmMovTracc::GestSelLotti(bool) {
  frmMsgCom::msgCom("La selezione delle quantità dei lotti non è ancora disponibile in questa versione del programma.",
                    "&Ok");
  return false;
}

std::string frmMovTracc::ButtonComando(const std::string& psKey) {
  std::string ris, key = psKey;
  ui::Controllo* a = ActiveControl();
  msNomeCtrlAttivo = a ? a->Name() : "";
  if (!Uguale(msNomeCtrlAttivo, "txt")) {
    miCampoSospeso = -1;
  } else if (miCampoSospeso < 0) {
    // the field's exit check runs now, once; the tick re-enters it
    txt_LostFocus(a->Index());
    miCampoSospeso = static_cast<int16_t>(a->Index());
  }
  auto& pag = ogLinPag();
  bool salvaNuovo = false;
  if (Uguale(key, "Salva") && pag.Stato() == 2) {
    miNuovoDopoSalva = 1;
    miAzioneTimer = 2;
    salvaNuovo = true;
  }
  if (Uguale(key, "SelLotti")) {
    if (GestSelLotti(true)) return ris;
    key.clear();
  }
  ris = key.empty() ? std::string() : pag.EseguiTasto(key);
  if (mbTransAperta) ChiudiTrans(false);
  if (!vb::Trim(ris).empty()) {
    miCampoSospeso = -1;
    miAzioneTimer = 0;
    miNuovoDopoSalva = 0;
    return ris;
  }
  if (salvaNuovo && miAzioneTimer == 2)
    if (ui::Controllo* c = pag.CtrlIniziale()) SpostaFuoco(c);
  if (!mbInChiusura && Caricata()) C("timLinPag").SetEnabled(true);
  return ris;
}

void frmMovTracc::ChiudiTrans(bool pbConferma) {
  mbTransAperta = false;
  if (pbConferma) {
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    return;
  }
  try {
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
  } catch (...) {
  }
}

vb::Variant frmMovTracc::PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>&) {
  auto rifiuta = [&](const std::string& m) -> vb::Variant {
    if (!m.empty()) Msg(m);
    pvRit = 1;
    miAzioneTimer = 0;
    return 1;
  };
  const long errore = G().glColoreErrore;
  switch (piOper) {
    case 8:
      for (int n : {46, 80, 90, 100, 110}) lab(n).SetCaption("");
      for (int n : {60, 70, 80, 90, 100, 110, 300, 310, 320, 330, 340}) txt(n).SetText("");
      C("LabMultiplo").SetVisible(false);
      msStatoLotto.clear();
      return 0;
    case 10: {
      if (txt(80).BackColor() == errore) return rifiuta("Categoria non valida");
      if (txt(90).BackColor() == errore) return rifiuta("trattamento non valida");
      if (txt(100).BackColor() == errore) return rifiuta("confezione non valida");
      if (txt(110).BackColor() == errore) return rifiuta("specie non valida");
      if (Uguale(msStatoLotto, "F") &&
          frmMsgCom::msgCom("Lotto chiuso manualmente\r\nSi conferma variazione?", "&Ok", "&Annulla", vb::Missing,
                            vb::Missing, 80, false, 600, vb::Missing, 2) != 1)
        return rifiuta("");
      int vuoti = 0;
      for (int n : {400, 410, 420}) vuoti += FC().Vuoto(vb::Variant(txt(n).Text())) ? 1 : 0;
      if (vuoti != 0 && vuoti != 3) return rifiuta("I dati lotto produzione devono essere compilati tutti o nessuno");
      auto& pag = ogLinPag();
      if (pag.Stato() == 1 && FC().ValDouble(vb::Variant(txt(50).Text())) == 0)
        Msg("Attenzione: Valore Quantità uguale a 0");
      utilprg::TransInizio(0, -1, nullptr, -1, "");
      mbTransAperta = true;
      if (!Uguale(msStatoLotto, "F") && !Uguale(osFileTraccApp, "MovProdRintraccia")) {
        UtilLotto::ChiaveLotto l;
        l.articolo = txt(44).Text();
        AziendaUtil::DividiConto(txt(46).Text(), l.gruppo, l.mastro, l.conto);
        l.lotto = txt(30).Text();
        l.nrProg = FC().ValInt(vb::Variant(txt(40).Text()));
        const int16_t anno = FC().ValInt(vb::Variant(txt(240).Text()));
        const int32_t num = FC().ValLong(vb::Variant(txt(120).Text()));
        const int32_t riga = FC().ValLong(vb::Variant(txt(10).Text()));
        bool agg = UtilLotto::AggStatoLotto(osLottoTipOpe, osMagaScar, osMagaCar, l, anno, num, riga,
                                            osTipoFileTracApp, FC().ValDouble(vb::Variant(txt(50).Text())), "");
        // A row whose lot changed leaves its former lot: that one is
        // evaluated again as it will be without the row.
        if (pag.Stato() == 1 && pag.Recordset() && !pag.Recordset()->NessunaCorrente()) {
          const std::string k = pag.ChiaveDati();
          auto& rs = pag.OggDati();
          UtilLotto::ChiaveLotto v;
          v.articolo = vb::Trim(rs.LeggiCampo(k, osFileTraccApp + ".Articolo").ToString());
          v.gruppo = vb::Trim(rs.LeggiCampo(k, osFileTraccApp + ".GruppoCliFor").ToString());
          v.mastro = vb::Trim(rs.LeggiCampo(k, osFileTraccApp + ".MastroCliFor").ToString());
          v.conto = vb::Trim(rs.LeggiCampo(k, osFileTraccApp + ".ContoCliFor").ToString());
          v.lotto = vb::Trim(rs.LeggiCampo(k, osFileTraccApp + ".Lotto").ToString());
          v.nrProg = FC().ValInt(rs.LeggiCampo(k, osFileTraccApp + ".NrProgLotto"));
          const bool cambiato = !vb::UgualeTesto(v.articolo, vb::Trim(l.articolo)) ||
                                !vb::UgualeTesto(v.gruppo, vb::Trim(l.gruppo)) ||
                                !vb::UgualeTesto(v.mastro, vb::Trim(l.mastro)) ||
                                !vb::UgualeTesto(v.conto, vb::Trim(l.conto)) ||
                                !vb::UgualeTesto(v.lotto, vb::Trim(l.lotto)) || v.nrProg != l.nrProg;
          if (cambiato && !v.lotto.empty())
            agg = UtilLotto::AggStatoLotto(osLottoTipOpe, osMagaScar, osMagaCar, v, anno, num, riga,
                                           osTipoFileTracApp, 0, "") ||
                  agg;
        }
        if (agg) DatRefresh();
      }
      return 0;
    }
    case 17: {
      auto& pag = ogLinPag();
      if (pag.SelBookmarks().size() > 1) {
        miRigLivCanc = 0;
      } else {
        miRigLivCanc = FC().ValLong(pag.OggDati().LeggiCampo(pag.ChiaveDati(), osFileTraccApp + ".RigLiv"));
      }
      utilprg::TransInizio(0, -1, nullptr, -1, "");
      mbTransAperta = true;
      std::string testo;
      const int16_t n = DettNonCanc(testo);
      if (n > 0) {
        ChiudiTrans(false);
        Msg(testo);
        pvRit = n;
        miAzioneTimer = 0;
        return 1;
      }
      return 0;
    }
    default:
      return 0;
  }
}

vb::Variant frmMovTracc::PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>&) {
  Globali& g = G();
  auto& pag = ogLinPag();
  switch (piOper) {
    case 3: {
      const int m = oiTracQtaVer;
      const std::string k = vb::UCase(vb::Trim(osLottoTipOpe));
      const bool controlla = (m == 1) || (m == 2 && (k == "S" || k == "I")) || (m == 3 && (k == "C" || k == "I"));
      auto fallisce = [&]() -> vb::Variant {
        ChiudiTrans(false);
        pvRit = 1;
        miAzioneTimer = 0;
        return 1;
      };
      if (controlla && !(pag.Stato() == 2 && k == "C")) {
        if ((k == "S" || k == "I") && ContrLottoQta("S") != 0) return fallisce();
        if ((k == "C" || k == "I") && ContrLottoQta("C") != 0) return fallisce();
      }
      if (k == "C" && !SalvaLotto()) return fallisce();
      return 0;
    }
    case 4:
      txt(30).SetBackColor(g.glColoreSfondo);
      txt(40).SetBackColor(g.glColoreSfondo);
      return 0;
    case 8: {
      if (pag.Stato() != 2) return 0;
      const double tot = TotaleLotti();
      if (FunVarie::ArrotConfronta(vb::Variant(tot), vb::Variant(odQtaTot), -8) == -1)
        txt(50).SetText(FC().MascheraNum(vb::Variant(odQtaTot - tot), g.giNumDecQta, {}, false, "#,##0"));
      return 0;
    }
    case 10:
    case 17: {
      const bool ok = pvRit.IsEmpty() || (pvRit.IsString() && pvRit.ToString().empty());
      if (mbTransAperta) ChiudiTrans(ok);
      if (!ok) DatRefresh();
      return 0;
    }
    case 16:
      DecodLotto(true, false, false, false);
      AziendaUtil::DecodCodiceOpz("Conto", txt(46), &lab(46));
      return 0;
    default:
      return 0;
  }
}

vb::Variant frmMovTracc::ovField(int piColIndex, const std::string& psProprieta) {
  const std::string p = vb::LCase(psProprieta);
  vb::Variant r;
  if (p == "type") r = int16_t{10};
  else if (p == "name" || p == "sourcefield" || p == "sourcetable") r = std::string();
  else if (p == "dataupdatable") r = false;
  else if (p == "size" || p == "fieldsize") r = int32_t{0};
  else return r;
  try {
    auto& dat = static_cast<ui::DatiControllo&>(C("datRiga"));
    dati::Recordset* rs = dat.Recordset();
    if (!rs) return r;
    const int f = rs->Indice(static_cast<ui::Griglia&>(C("dbgRiga")).Colonna(piColIndex).DataField);
    if (f < 0) return r;
    const dati::ColonnaUscita& c = rs->Campo(f);
    if (p == "type") r = dati::CodiceTipo(c.tipo);
    else if (p == "name") r = c.nome;
    else if (p == "sourcefield") r = c.colonnaBase;
    else if (p == "sourcetable") r = c.tabellaBase;
    else if (p == "dataupdatable") r = rs->Aggiornabile() && vb::UgualeTesto(c.tabellaBase, osFileTraccApp);
  } catch (...) {
  }
  return r;
}

void frmMovTracc::SetovfrmBookmark(const std::string& psBookmark) {
  msBookmark = psBookmark;
  auto& tb = C("tolLinPag");
  tb.Elem("VaiA").Enabled = !psBookmark.empty();
  tb.ElementoCambiato();
}

void frmMovTracc::DatRefresh() {
  if (!HaPagina()) return;
  ogLinPag().FormatGriglia(-1, "M", 0, "dd/mm/yyyy");
  PersColonne();
}

void frmMovTracc::PersColonne() {
  auto& pag = ogLinPag();
  const std::pair<const char*, long> larg[] = {
      {"Lotto", 1400},    {"Qta", 900},          {"Nr", 300},        {"Descriz", 2000},
      {"DataScad", 1000}, {"Fornitore", 1000},   {"Ragione_Sociale", 2000}, {"ArticoloProd", 1400},
      {"Fornitore_Prod", 1000}, {"LottoProd", 1400}, {"NrProd", 300}};
  for (const auto& [c, l] : larg) {
    try {
      pag.LargColonna(std::string(c), l);
    } catch (...) {
    }
  }
  for (const char* c : {"GruppoCliFor", "MastroCliFor", "ContoCliFor", "GruppoProd", "MastroProd", "ContoProd",
                        "NrProgLotto", "NrProgLottoProd", "Anno", "NumReg", "RigLiv", "Articolo", "DataReg",
                        "TipOpe"}) {
    try {
      pag.NascondiColonna(std::string(c));
    } catch (...) {
    }
  }
}

void frmMovTracc::ChiudiFrm() {
  mbChiudiDaPagina = true;
  Unload();
}

void frmMovTracc::MenuFrm() { mainDdt::MostraMenu(); }
