// The declaration of intent on the header: how much of the declaration
// named in field 310 is already used by invoices, DDTs and orders, what is
// left, its exemption text, and red amounts when the declared amount is
// exceeded. Also the mark beside the contract when the stored article
// lines do not all follow the header's contract.
#include <cstdint>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "fiscal/DichIntenti.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

constexpr long kBlu = 16711680;  // &HFF0000
constexpr long kRosso = 255;

// The number of a box when it is one of the range given; a number out of it
// (typed or pasted) can be the key of no row.
bool Intero(const std::string& testo, double minimo, double massimo, double& numero) {
  numero = FC().ValDouble(vb::Variant(testo), true);
  return numero >= minimo && numero <= massimo;
}

}  // namespace

void frmDdtTest::MostraPdcDicIntenti(bool pbModif, bool pbFaiHelp) {
  (void)pbModif;
  if (!mbDicIntentiTest) return;
  const Globali& g = G();
  auto scrivi = [this](int n, const std::string& testo) { lab(n).SetCaption(testo); };
  auto mostra = [&](int n, double importo) {
    scrivi(n, FC().MascheraNum(importo, g.giNumDecEuro, "0", false, "#,###", 0, "", "^"));
  };
  auto colori = [&](bool superato) {
    for (int n : {312, 314, 316, 319}) lab(n).SetForeColor(superato ? kRosso : kBlu);
    label1(310).SetBackColor(superato ? g.glColoreErrore : mlColSfondoLabel1);
  };

  const std::string conto = txt(80).Text();
  const bool senzaCodice = FC().Vuoto(vb::Variant(txt(310).Text()));
  const bool senzaConto = FC().Vuoto(vb::Variant(conto));
  double valore = 0;
  const bool numeroValido = Intero(txt(310).Text(), INT16_MIN, INT16_MAX, valore);
  const int16_t numero = numeroValido ? FC().ValInt(vb::Variant(txt(310).Text()), true, true) : 0;
  std::string gruppo, mastro, conto3;
  double fatture = 0, ddt = 0, ordini = 0;
  int16_t passo = 0;

  if (senzaCodice || senzaConto) {
    for (int n : {310, 312, 314, 316, 319}) scrivi(n, "");
  } else {
    // A number the customer does not have shows "** INESISTENTE **"; its
    // amounts are shown all the same.
    AziendaUtil::DecodCodice("PdcDicIntenti", txt(310), &lab(310),
                             aiuti::ChiaveAgg(FC().FormatTipo(vb::Variant(conto), "conto")), 0, 0, "", nullptr, "", "",
                             0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
    AziendaUtil::DividiConto(conto, gruppo, mastro, conto3);
    if (numeroValido) DichIntenti::CalcUtilizzatoDich(numero, gruppo, mastro, conto3, fatture, ddt, ordini, true);
    ddt += ImpCambiatoCodDic(passo);
    mostra(312, fatture);
    mostra(314, ddt);
    mostra(316, ordini);
  }

  double dichiarato = 0, o1 = 0, o2 = 0, o3 = 0;
  if (!senzaCodice && !senzaConto) {
    // A number no declaration can have has no text and nothing declared.
    scrivi(520, numeroValido ? Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto3, msDicIntentiCli,
                                                                 "DichIntentiTab", "", dichiarato, 0,
                                                                 vb::Variant(numero), o1, o2, o3,
                                                                 ImpCambiatoCodDic(passo)))
                             : std::string());
    mostra(318, dichiarato);
    // The residual deducts what the setting says; the warning always
    // compares the declared amount with all three used amounts.
    double residuo = dichiarato - fatture;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F")) residuo -= ddt;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F") && !vb::UgualeTesto(msDicIntentiCalcRes, "D")) residuo -= ordini;
    mostra(319, residuo);
    colori(FunVarie::ArrotConfronta(dichiarato, fatture + ddt + ordini, -8) == -1);
    return;
  }
  colori(false);
  if (!senzaConto) {
    // A customer without a number: the text and amount of all its active
    // declarations.
    AziendaUtil::DividiConto(conto, gruppo, mastro, conto3);
    scrivi(520, Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto3, msDicIntentiCli, "DichIntentiTab", "",
                                                  dichiarato, 0, vb::Variant(0), o1, o2, o3,
                                                  ImpCambiatoCodDic(passo))));
    mostra(318, dichiarato);
    return;
  }
  scrivi(520, "");
  scrivi(318, "");
}

// The total of the DDT on screen when field 310 (+ piPasso) names another
// declaration than the stored row: the stored sums do not count it there
// yet. Nothing on a new DDT, nor when the stored number is Null.
double frmDdtTest::ImpCambiatoCodDic(int16_t& piPasso) {
  if (!HaBarra()) return 0;
  barre::BarraRecord& b = ogComPag();
  // Only a record shown by the bar has a stored number to compare with.
  if (b.oiFlagOpe() != 1) return 0;
  const vb::Variant memorizzato = b.OggDati().LeggiCampoNull(b.ChiaveDati(), "PdcDicIntenti");
  if (memorizzato.IsNull() || memorizzato.IsEmpty()) return 0;
  const std::string testo = txt(310 + piPasso).Text();
  double digitato = 0;
  // A number beyond any Long differs from every stored one.
  if (Intero(testo, INT32_MIN, INT32_MAX, digitato)) {
    const int32_t n = FC().ValLong(vb::Variant(testo), true);
    if (n == 0 || n == FC().ValLong(memorizzato, true)) return 0;
  }
  return FC().ValDouble(vb::Variant(lab(170).Caption()), true);
}

// Shows the mark label1(1402) when some stored article line of the DDT has
// a contract other than the header's: another one or none when the header
// has one, any one when it has none. Contracts compare without regard to
// case or surrounding blanks, and a blank contract of a line counts as none,
// like a Null one.
void frmDdtTest::VerContrDoppio() {
  try {
    const auto& fc = FC();
    const std::string t = G().gsTabDett;
    std::string sql = "Select count(*) as Tot From " + t + " where " + t + ".Anno = " +
                      fc.ValoreSql(vb::Variant(txt(20).Text()), vb::vbInteger) + " AND " + t +
                      ".NumRif = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
    const std::string contratto = txt(1400).Text();
    if (!fc.Vuoto(vb::Variant(contratto), vb::vbString, 1, false))
      sql += " AND (ucase(trim(" + t + ".Contratto)) <> " +
             fc.ValoreSql(vb::Variant(vb::UCase(vb::Trim(contratto))), vb::vbString) + " OR isnull(" + t +
             ".Contratto))";
    else
      sql += " AND not isnull(" + t + ".Contratto) AND len(trim(" + t + ".Contratto)) > 0";
    sql += " AND (TipoRiga = " + fc.ValoreSql(vb::Variant("A"), vb::vbString) +
           " OR TipoRiga = " + fc.ValoreSql(vb::Variant("M"), vb::vbString) + ")";
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    const long tot = fc.ValLong(rs.LeggiCampo(k, "Tot"), true);
    rs.ChiudiRecordset(k);
    label1(1402).SetVisible(tot > 0);
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
}
