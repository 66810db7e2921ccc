// What the list selects: the seventeen criteria declared to the list page,
// the range check before a search, the conditions the window writes itself
// (customer account, article, state), the SQL of the list and its hand-over
// to the list commands, and the criterion fields.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

// The text of the chosen item of a combo ("" when none).
std::string TestoCombo(const ui::Controllo& c) {
  const int i = c.ListIndex();
  return i >= 0 && i < c.ListCount() ? c.List(i) : c.Text();
}

}  // namespace

void frmDdtTestLis::DefinisciCriteri() {
  barre::navlib::PaginaLista& lp = ogLisPag();
  const vb::Variant o;
  // column or name, box, operator, kind (3 integer, 4 long, 8 date, 0 text),
  // suffix of an upper bound
  lp.DefinisciFiltro("Anno", txt(10), ">=", o, 3, o, "", o);
  lp.DefinisciFiltro("Anno", txt(20), "<=", o, 3, o, "A", o);
  const std::string anno = std::to_string(G().gtDataLavoro.Year());
  lp.ValoreFiltro("Anno", anno);
  lp.ValoreFiltro("AnnoA", anno);
  lp.DefinisciFiltro("NumRif", txt(30), ">=", o, 4, o, "", o);
  lp.DefinisciFiltro("NumRif", txt(40), "<=", o, 4, o, "A", o);
  lp.DefinisciFiltro("DataRif", txt(50), ">=", o, 8, o, "", o);
  lp.DefinisciFiltro("DataRif", txt(60), "<=", o, 8, o, "A", o);
  lp.DefinisciFiltro("FattDocumento", txt(70), "=", o, 0, o, "", o);
  lp.DefinisciFiltro("Pianoconti.Tipo", txt(80), "=", o, 0, o, "", o);
  lp.DefinisciFiltro("|-|GruppoCli|MastroCli|ContoCli", txt(90), "pers", o, 0, o, "", o);
  lp.DefinisciFiltro("PreDoc", txt(100), "=", o, 0, o, "", o);
  lp.DefinisciFiltro("NumDoc", txt(110), ">=", o, 4, o, "", o);
  lp.DefinisciFiltro("NumDoc", txt(120), "<=", o, 4, o, "A", o);
  lp.DefinisciFiltro("DataDoc", txt(130), ">=", o, 8, o, "", o);
  lp.DefinisciFiltro("DataDoc", txt(140), "<=", o, 8, o, "A", o);
  lp.DefinisciFiltro("RifCli", txt(160), "like*", o, 0, o, "", o);
  lp.DefinisciFiltro("Articolo", txt(170), "pers", o, 0, o, "", o);
  lp.DefinisciFiltro("StatoSel", txt(150), "pers", o, 0, o, "", o);
}

// ---------------------------------------------------------------- query callbacks

bool frmDdtTestLis::VerSelez() {
  bool errore = false;
  ogLisPag().VerifFiltri(vb::Variant(), errore);
  if (errore) return false;
  // from, to, kind: 2 integer, 3 long, 7 date; the utility object tells
  // the user of a reversed range.
  const int intervalli[][3] = {{10, 20, 2}, {30, 40, 3}, {50, 60, 7}, {110, 120, 3}, {130, 140, 7}};
  for (const auto& r : intervalli) {
    int esito = 0;
    vb::FunzioniComuniUi::VerifIntervallo(txt(r[0]), txt(r[1]), r[2], false, 1, true, true, &esito);
    if (esito == 1) return false;
  }
  return true;
}

std::string frmDdtTestLis::PrepSql(const std::string& psWhere) {
  const std::string T = G().gsTabTest;
  std::string sql = "Select" + ListaSelect().substr(1);
  sql += " FROM " + T + " LEFT JOIN Pianoconti" + " ON " + T + ".GruppoCli = Pianoconti.Gruppo" + " AND " + T +
         ".MastroCli = Pianoconti.Mastro" + " AND " + T + ".ContoCli = Pianoconti.Conto";
  if (!psWhere.empty()) sql += " where " + psWhere;
  const std::string ordine = OrdineVerificato();
  sql += " Order by " + (ordine.empty() ? T + ".DataRif, " + T + ".NumRif" : ordine);
  msSql = sql;
  return sql;
}

vb::Variant frmDdtTestLis::PersListaVarie(int piTipoPers, barre::navlib::CampoLista& pgLisCampo,
                                          std::vector<vb::Variant>& pvParam) {
  if (piTipoPers != 1) return {};
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string T = G().gsTabTest;
  const std::string P = !pvParam.empty() ? pvParam[0].ToString() : std::string();
  const std::string V = pvParam.size() > 1 ? pvParam[1].ToString() : std::string();
  const std::string& nome = pgLisCampo.Nome();
  if (Uguale(nome, "|-|GruppoCli|MastroCli|ContoCli")) {
    std::string gruppo, mastro, conto;
    AziendaUtil::DividiConto(V, gruppo, mastro, conto);
    return P + " " + T + ".GruppoCli = " + fc.ValoreSql(gruppo, vb::vbString) + " AND " + T +
           ".MastroCli = " + fc.ValoreSql(mastro, vb::vbString) + " AND " + T +
           ".ContoCli = " + fc.ValoreSql(conto, vb::vbString);
  }
  if (Uguale(nome, "Articolo")) {
    const std::string D = G().gsTabDett;
    return P + "EXISTS (Select Articolo From " + D + " Where " + T + ".Anno = " + D + ".Anno" + " AND " + T +
           ".NumRif = " + D + ".NumRif" + " AND " + D + ".Articolo = " + fc.ValoreSql(V, vb::vbString) + ")";
  }
  if (Uguale(nome, "StatoSel")) {
    const std::string s = vb::UCase(vb::Left(TestoCombo(cob(150)), 1));
    // Not printed: no state at all, whether Null or empty.
    if (s == "N") return P + "(IsNull(" + T + ".Stato) Or " + T + ".Stato = " + fc.ValoreSql("", vb::vbString) + ")";
    if (s == "E") return P + T + ".Stato = " + fc.ValoreSql("E", vb::vbString);
    if (s == "S") return P + T + ".Stato = " + fc.ValoreSql("S", vb::vbString);
    return P + "true";
  }
  return {};
}

void frmDdtTestLis::SettaRecordset(const std::string& psSql, bool pvFaiSql) {
  msSql = psSql;
  ogComlin().ImpSql(psSql, vb::Variant(), false, pvFaiSql);
  std::string a, b;
  ogComlin().Riapri(a, b);
  C("txtRiga").SetText(a + " / " + b);
}

bool frmDdtTestLis::PersListaKey(std::string& pvRit) {
  pvRit.clear();
  return true;
}

void frmDdtTestLis::ListaKey() { ogLisPag().TastoLista(); }

void frmDdtTestLis::CompilaKey() {}

void frmDdtTestLis::AzzAltro() {
  txt(80).SetText("3");
  vb::FunzioniComuniUi::SelezComboCtrl(cob(80), txt(80));
  vb::FunzioniComuniUi::AzzeraTesto(cob(150), "N");
}

// ---------------------------------------------------------------- criterion fields

void frmDdtTestLis::txt_GotFocus(int Index) {
  if (Index == 90) {
    // The account in its editing form, without separators.
    txt(90).SetText(vb::FunzioniComuni::Istanza().FormatTipo(txt(90).Text(), "Conto"));
    txt(90).SetBackColor(G().glColoreSfondo);
  }
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(txt(Index), 0);
}

void frmDdtTestLis::txt_LostFocus(int Index) {
  AziendaUtil::ColoraLostFocus(txt(Index), 0);
  switch (Index) {
    case 50:
    case 60:
    case 130:
    case 140:
      FunVarie::VerifData(txt(Index), vb::Variant(int16_t{-2}), 1);
      break;
    case 70:
      AziendaUtil::DecodCodice("FattDocumento", txt(70), &lab(70));
      break;
    case 90: {
      if (vb::Trim(txt(90).Text()).empty()) {
        lab(90).SetCaption("");
        break;
      }
      const std::string comeScritto = txt(90).Text();
      const int16_t tipo = vb::FunzioniComuni::Istanza().ValInt(txt(80).Text());
      AziendaUtil::DecodConto(txt(90), &lab(90), 0, 0);
      AziendaUtil::DecodCodice("Conto", txt(90), &lab(90), aiuti::ChiaveAgg(vb::Variant(tipo)), 0, 0, "", nullptr, "",
                               "", 0, vb::Missing, -1, -1, comeScritto);
      break;
    }
    case 170:
      AziendaUtil::DecodCodice("Articolo", txt(170), &lab(170));
      break;
    default:
      break;
  }
}

void frmDdtTestLis::txt_KeyUp(int Index, int KeyCode, int Shift) {
  const bool tasto = (KeyCode >= ui::vbKeyF2 && KeyCode <= ui::vbKeyF5 && Shift == 0) || KeyCode == ui::vbKeyF11 ||
                     KeyCode == ui::vbKeyF12;
  if (!tasto) return;
  int16_t scelto = 0;
  const auto k = static_cast<int16_t>(KeyCode);
  switch (Index) {
    case 70:
      // Only the document types of kind B, the delivery notes.
      AziendaUtil::ApriAiuto("FattDocumento", txt(70), &lab(70), k, {}, scelto, "", 0, " Tipo = 'B'");
      break;
    case 90:
      AziendaUtil::ApriAiuto("Conto", txt(90), &lab(90), k,
                             aiuti::ChiaveAgg(vb::Variant(vb::FunzioniComuni::Istanza().ValInt(txt(80).Text()))),
                             scelto);
      break;
    case 170:
      AziendaUtil::ApriAiuto("Articolo", txt(170), &lab(170), k, {}, scelto);
      break;
    default:
      break;
  }
}

void frmDdtTestLis::comHlp_Click(int Index) {
  if (Index == 70 || Index == 90 || Index == 170) FunVarie::SimulaTastoCampo(*this, Index, ui::vbKeyF2, false);
}

void frmDdtTestLis::cob_Click(int Index) {
  if (Index == 80) {
    txt(80).SetText(vb::FunzioniComuniUi::ValoreCombo(cob(80)).ToString());
    if (!vb::Trim(txt(90).Text()).empty())
      AziendaUtil::DecodCodiceOpz("Conto", txt(90), &lab(90),
                                  aiuti::ChiaveAgg(vb::Variant(vb::FunzioniComuni::Istanza().ValInt(txt(80).Text()))));
  } else if (Index == 150) {
    txt(150).SetText(vb::FunzioniComuniUi::ValoreCombo(cob(150)).ToString());
  }
}

void frmDdtTestLis::cob_KeyDown(int Index, int& KeyCode, int Shift) {
  if (KeyCode != ui::vbKeyDelete || Shift != 0 || (Index != 80 && Index != 150)) return;
  cob(Index).SetListIndex(-1);
  txt(Index).SetText("");
}
