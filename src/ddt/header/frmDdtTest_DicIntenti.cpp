// The declaration of intent on the header (its residual against the
// document total) and the mark beside the contract when lines do not follow it.
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

}  // namespace

void frmDdtTest::MostraPdcDicIntenti(bool pbModif, bool pbFaiHelp) {
  (void)pbModif;
  if (!mbDicIntentiTest) return;
  const Globali& g = G();
  // The frame's labels, those the window has.
  auto scrivi = [this](int n, const std::string& testo) {
    if (ui::Controllo* l = Trova("lab", n)) l->SetCaption(testo);
  };
  auto mostra = [&](int n, double importo) {
    scrivi(n, FC().MascheraNum(importo, g.giNumDecEuro, "0", false, "#,###", 0, "", "^"));
  };
  const bool senzaCodice = FC().Vuoto(vb::Variant(txt(310).Text()));
  const bool senzaConto = FC().Vuoto(vb::Variant(txt(80).Text()));
  std::string gruppo, mastro, conto;
  if (!senzaConto) AziendaUtil::DividiConto(FC().FormatTipo(vb::Variant(txt(80).Text()), "conto"), gruppo, mastro, conto);
  double fatture = 0, ddt = 0, ordini = 0;
  const int16_t numero = FC().ValInt(vb::Variant(txt(310).Text()), true, true);

  // What this DDT adds under a number typed and not yet saved.
  auto importoCambiato = [&]() -> double {
    if (!HaBarra() || ogComPag().oiFlagOpe() == 2) return 0;
    barre::BarraRecord& b = ogComPag();
    double memorizzato = 0;
    try {
      const vb::Variant m = b.OggDati().LeggiCampoNull(b.ChiaveDati(), "PdcDicIntenti");
      if (m.IsNull()) return 0;
      memorizzato = FC().ValDouble(m, true);
    } catch (...) {
      return 0;
    }
    const int32_t digitato = FC().ValLong(vb::Variant(txt(310).Text()), true);
    return digitato != 0 && digitato != static_cast<int32_t>(memorizzato)
               ? FC().ValDouble(vb::Variant(lab(170).Caption()), true)
               : 0;
  };

  if (senzaCodice || senzaConto) {
    for (int n : {310, 312, 314, 316, 319}) scrivi(n, "");
  } else {
    AziendaUtil::DecodCodice("PdcDicIntenti", txt(310), &lab(310),
                             aiuti::ChiaveAgg(FC().FormatTipo(vb::Variant(txt(80).Text()), "conto")), 0, 0, "", nullptr,
                             "", "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
    DichIntenti::CalcUtilizzatoDich(numero, gruppo, mastro, conto, fatture, ddt, ordini, true);
    ddt += importoCambiato();
    mostra(312, fatture);
    mostra(314, ddt);
    mostra(316, ordini);
  }
  auto colori = [&](bool superato) {
    for (int n : {312, 314, 316, 319})
      if (ui::Controllo* l = Trova("lab", n)) l->SetForeColor(superato ? 255 : 16711680);
    if (ui::Controllo* l = Trova("label1", 310)) l->SetBackColor(superato ? g.glColoreErrore : mlColSfondoLabel1);
  };
  double dichiarato = 0, o1 = 0, o2 = 0, o3 = 0;
  if (!senzaCodice && !senzaConto) {
    scrivi(520, Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto, msDicIntentiCli, "DichIntentiTab", "",
                                                  dichiarato, 0, vb::Variant(numero), o1, o2, o3, importoCambiato())));
    mostra(318, dichiarato);
    double residuo = dichiarato - fatture;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F")) residuo -= ddt;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F") && !vb::UgualeTesto(msDicIntentiCalcRes, "D")) residuo -= ordini;
    mostra(319, residuo);
    colori(FunVarie::ArrotConfronta(dichiarato, fatture + ddt + ordini, -8) == -1);
    return;
  }
  colori(false);
  if (!senzaConto) {
    scrivi(520, Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto, msDicIntentiCli, "DichIntentiTab", "",
                                                  dichiarato, 0, vb::Variant(0), o1, o2, o3, importoCambiato())));
    mostra(318, dichiarato);
    return;
  }
  scrivi(520, "");
  scrivi(318, "");
}

void frmDdtTest::VerContrDoppio() {
  try {
    const auto& fc = FC();
    const std::string t = G().gsTabDett;
    std::string sql = "Select count(*) as Tot From " + t + " where " + t + ".Anno = " +
                      fc.ValoreSql(vb::Variant(txt(20).Text()), vb::vbInteger) + " AND " + t +
                      ".NumRif = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
    const std::string contratto = txt(1400).Text();
    if (!fc.Vuoto(vb::Variant(contratto), vb::vbString, 1, false))
      sql += " AND (" + t + ".Contratto <> " + fc.ValoreSql(vb::Variant(contratto), vb::vbString) + " OR isnull(" + t +
             ".Contratto))";
    else
      sql += " AND not isnull(" + t + ".Contratto)";
    sql += " AND (TipoRiga = " + fc.ValoreSql(vb::Variant("A"), vb::vbString) +
           " OR TipoRiga = " + fc.ValoreSql(vb::Variant("M"), vb::vbString) + ")";
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    const long tot = fc.ValLong(rs.LeggiCampo(k, "Tot"), true);
    rs.ChiudiRecordset(k);
    if (ui::Controllo* m = Trova("label1", 1402)) m->SetVisible(tot > 0);
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
}
double frmDdtTest::ImpCambiatoCodDic(int16_t& piPasso) {
  (void)piPasso;
  return 0;
}
