// Price list, currency and exchange rate, and the payment condition: each
// decode and, for a changed code, what it brings into the header.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "fiscal/DichIntenti.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s), vb::vbString, 1, false); }

// A panel of the status bar, when the window has one.
void ScriviPannello(const ui::Form& f, const std::string& psKey, const std::string& psTesto) {
  ui::Controllo* sta = f.Trova("staMessaggi");
  if (!sta || !sta->HaElem(psKey)) return;
  sta->Elem(psKey).Caption = psTesto;
  sta->ElementoCambiato();
}

void AbilitaCambio(const ui::Form& f, bool abil) {
  if (ui::Controllo* t = f.Trova("txt", 410)) t->SetEnabled(abil);
  if (ui::Controllo* b = f.Trova("ComHlp", 410)) b->SetEnabled(abil);
}

}  // namespace

void frmDdtTest::MostraListino(bool pbModif, bool pbFaiHelp) {
  std::vector<vb::Variant> v{vb::Variant("moneta"), vb::Variant("ivato"), vb::Variant("Sconto"),
                             vb::Variant("ScoSomSost")};
  const vb::Variant r = AziendaUtil::DecodCodice("Listino", txt(200), &lab(200), {}, 0, 0, "", &v, "", "", 0,
                                                 vb::Missing, -1, pbFaiHelp ? -1 : 0);
  // Only a list that exists brings anything; no list at all is a choice
  // too (the decode finds nothing to read for an empty code).
  if (r.ToInt() != -1 && !Vuoto(txt(200).Text())) return;
  if (!HaBarra() || !pbModif) return;
  const int16_t modo = ogComPag().oiFlagOpe();
  if (modo == 0) return;
  v.resize(4);
  ui::Controllo& listino = txt(200);
  ui::Controllo& moneta = txt(400);
  const long errore = G().glColoreErrore;
  if (Vuoto(listino.Text())) {
    if (modo == 2) {
      txt(210).SetText("N");
      msListIvato = "N";
    }
    msScontoListino.clear();
    msScoSomSost = "S";
    msMonetaListino.clear();
    if (moneta.BackColor() == errore) MostraMoneta(true, true, false, false);
  } else {
    const std::string ivato = vb::UCase(Txt(v[1]));
    if (modo == 2) {
      txt(210).SetText(ivato);
      msListIvato = ivato;
    } else if (!vb::UgualeTesto(ivato, txt(210).Text())) {
      // The prices of a stored DDT were entered with or without VAT: the
      // list must agree, the flag is not turned round under the lines.
      listino.SetBackColor(errore);
      ScriviPannello(*this, "Messaggio", "Listino con flag ivato non congruente");
    }
    msScontoListino = Txt(v[2]);
    msScoSomSost = Txt(v[3]);
    msMonetaListino = Txt(v[0]);
  }
  // A new DDT takes the list's currency; a stored one keeps its own, which
  // the currency decode then checks against the list.
  if (moneta.BackColor() == errore ||
      (!Vuoto(listino.Text()) && !vb::UgualeTesto(msMonetaListino, moneta.Text()))) {
    if (modo == 2) moneta.SetText(msMonetaListino);
    MostraMoneta(true, true, false, false);
  }
  AggNonText();
}

void frmDdtTest::MostraMoneta(bool pbModif, bool pbMostraCambio, bool pbDataOggi, bool pbFaiHelp) {
  std::vector<vb::Variant> v{vb::Variant("NumDec"), vb::Variant("NumDecGest"), vb::Variant("Operatore"),
                             vb::Variant("Cee")};
  const vb::Variant r = AziendaUtil::DecodCodice("Moneta", txt(400), &lab(400), {}, 0, 0, "", &v, "", "", 0,
                                                 vb::Missing, -1, pbFaiHelp ? -1 : 0);
  if (r.ToInt() == 0) return;
  if (!HaBarra() || ogComPag().oiFlagOpe() == 0 || !pbModif) return;
  v.resize(4);
  ui::Controllo& moneta = txt(400);
  const Globali& g = G();
  const std::string listino = vb::Trim(msMonetaListino);
  const std::string codice = moneta.Text();
  // A lira list may be used in a euro DDT and a euro list in a lira DDT.
  const bool coppiaLiraEuro = (vb::UgualeTesto(listino, g.gsCodLira) && vb::UgualeTesto(codice, g.gsCodEuro)) ||
                              (vb::UgualeTesto(listino, g.gsCodEuro) && vb::UgualeTesto(codice, g.gsCodLira));
  if (!listino.empty() && !vb::UgualeTesto(listino, codice) && !coppiaLiraEuro) moneta.SetBackColor(g.glColoreErrore);
  const bool cee = vb::UgualeTesto(Txt(v[3]), "S");
  // Any colour but the error one is a valid currency: the field may show
  // the focus colour or the company's own background.
  if (moneta.BackColor() != g.glColoreErrore && !vb::Trim(codice).empty()) {
    msMonOper = Txt(v[2]);
    miNumDecMon = FC().ValInt(v[0], true, true);
    msMascImpMonPers = FC().MascheraNum(0, miNumDecMon, {}, true, "#,###", 0, "", "^");
    msMascImpMon = FC().MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^");
    miNumDecMonGes = FC().ValInt(v[1], true, true);
    msMascPrzMonPers = FC().MascheraNum(0, miNumDecMonGes, {}, true, "#,###", 0, "", "^");
    msMascPrzMon = FC().MascheraNum(0, miNumDecMonGes, "0", true, "#,##0", 0, "", "^");
    if (pbMostraCambio) MostraCambioMoneta(pbDataOggi);
    AggTotali(false);
    // A currency of the union has no rate to type.
    if (cee) {
      AbilitaCambio(*this, false);
      return;
    }
  }
  if (!cee) AbilitaCambio(*this, true);
}

void frmDdtTest::MostraCambioMoneta(bool pbDataOggi) {
  ui::Controllo& data = txt(30);
  vb::Variant quando = vb::Variant(G().gtDataLavoro);
  if (!pbDataOggi && data.BackColor() != G().glColoreErrore && !FC().Vuoto(vb::Variant(data.Text()))) {
    const vb::Variant d = FC().ValData(vb::Variant(data.Text()), true);
    if (d.IsDate()) quando = d;
  }
  vb::Variant dataCambio;
  const vb::Variant r =
      AziendaUtil::LeggiCambio(txt(400).Text(), quando, txt(410), dataCambio, "#,###.^^^^^^", true, false);
  if (!r.ToBool()) txt(410).SetText("");
  if (ui::Controllo* l = Trova("lab", 410)) {
    const bool nessuna = !dataCambio.IsDate() || dataCambio.ToDate().Year() <= 100;
    l->SetCaption(nessuna ? std::string() : FC().Formatta(dataCambio, "dd/mm/yyyy"));
  }
}
void frmDdtTest::MostraPagamento(bool pbModif, bool pbFaiHelp) {
  std::vector<vb::Variant> v{vb::Variant("Sconto"), vb::Variant("NotaFissa")};
  // A payment that does not exist brings the empty values of the decode.
  AziendaUtil::DecodCodice("Pagamento", txt(220), &lab(220), {}, 0, 0, "", &v, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
  if (!pbModif) return;
  v.resize(2);
  txt(230).SetText(Txt(v[0]));
  const std::string nota = Txt(v[1]);
  ui::Controllo& nota3 = txt(550);
  // Only the previous payment's own note is taken out: a note the user
  // typed stays.
  const bool notaPrecedente = vb::UgualeTesto(nota3.Text(), msNotaFissaPag);
  if (Vuoto(nota)) {
    if (notaPrecedente) nota3.SetText("");
  } else {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "",
                                           "Select SuEvasione from NoteFisse Where NotaFissa = " +
                                               FC().ValoreSql(vb::Variant(nota), vb::vbString),
                                           false, 4);
    try {
      if (!rs.NessunRecord(k)) {
        // A note printed only on evasion belongs to the invoice, not here.
        if (vb::UgualeTesto(Txt(rs.LeggiCampo(k, "SuEvasione")), "N"))
          nota3.SetText(nota);
        else if (notaPrecedente)
          nota3.SetText("");
      }
    } catch (...) {
      rs.ChiudiRecordset(k);
      throw;
    }
    rs.ChiudiRecordset(k);
  }
  msNotaFissaPag = nota;
}
