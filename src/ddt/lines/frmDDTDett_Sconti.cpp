// The line's discount chain and promotions: the four discount fields from
// the shared discount rules, the chain that joins them (with the payment
// discount when the header applies it on the lines), its equivalent single
// percentage, and the agents' commissions reduced for it.
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/dati/GestRecordset.h"
#include "services/UtilDocFattGest.h"

using namespace DettUtil;

namespace {

// The discount rules re-read the list price through the window's price
// search, by name, as they do for every window that prices a line.
class PrezzoPerNome final : public UtilDocFattGest::FormPrezzo {
 public:
  explicit PrezzoPerNome(frmDDTDett& f) : f_(f) {}
  void CercaPrezzo() override {
    std::vector<vb::Variant> nessuno;
    f_.ChiamaPerNome("CercaPrezzo", nessuno);
  }

 private:
  frmDDTDett& f_;
};

void Scrivi(ui::Controllo& c, const std::string& testo) {
  if (c.Text() != testo) c.SetText(testo);
}

}  // namespace

void frmDDTDett::ElaboraSconti(bool pbAzzSconti, bool pbAggPrezzi, bool pbRicalcSconti, bool pbRicalcLivQta) {
  if (PrezzoSospeso()) {
    if (!pbRicalcLivQta) return;
    // Levels still incomplete: no quantity rule until the quantity is known.
    osModScontoQta = "T";
    osScontoQta.clear();
  }
  if (pbAzzSconti) SbiancaSconti();

  std::string cli = txt(100).Text(), art = txt(110).Text(), qta = txt(120).Text(), tab = txt(90).Text();
  std::string prezzo = txt(60).Text();
  const std::string articolo = txt(20).Text();
  PrezzoPerNome forma(*this);
  UtilDocFattGest::ApplicaSconti(forma, cli, art, qta, tab, prezzo, articolo, vb::Variant(txt(30).Text()), osMoneta,
                                 odQtaPrezzo, osModScontoQta, osScontoQta, odTabPrezzo, osModScontoTab, osScontoTab,
                                 osArtSconto, osArtLisModSconto, osArtLisSconto, osListModSconto, osListSconto,
                                 osScontoClie, oiNumDecMonGes, osIntest, osIntTipo, osCategoria, osArtGruppo,
                                 osArtSottoGru, osTabSconti, pbRicalcSconti, true, mdPercRidProvvTab,
                                 mdPercRidProvvQta);
  Scrivi(txt(100), cli);
  Scrivi(txt(110), art);
  Scrivi(txt(120), qta);
  Scrivi(txt(90), tab);
  Scrivi(txt(60), prezzo);
  CalcScontoTot(pbAggPrezzi);
}

void frmDDTDett::SbiancaSconti() {
  for (int n : {110, 120, 90, 80}) txt(n).SetText("");
  txt(100).SetText(osScontoClie);
}

void frmDDTDett::CalcScontoTot(bool pbAggPrezzo) {
  if (Uguale(osCauzAttNoSconti, "S") && Uguale(msCauzioneArt, "S")) {
    // A deposit takes no discount.
    txt(80).SetText("");
  } else {
    std::vector<vb::Variant> sconti = {txt(110).Text(), txt(100).Text(), txt(120).Text(), txt(90).Text()};
    if (che(75).Value() == 1 && obScontoPagInDet) sconti.emplace_back(osScontoPag);
    txt(80).SetText(AziendaUtil::UnisciSconti(sconti));
  }
  MostraScontoTot(pbAggPrezzo, true);
}

void frmDDTDett::MostraScontoTot(bool pbAggPrezzo, bool pbAggProvvAge) {
  const Globali& g = G();
  bool errato = false;
  const double perc = AziendaUtil::CalcPercSconto(txt(80).Text(), errato, 0, 6);
  lab(80).SetCaption(vb::Variant(perc).ToString());
  if (errato) {
    MsgPannello("Sconto non valido");
    txt(80).SetBackColor(g.glColoreErrore);
  } else {
    txt(80).SetBackColor(g.glColoreSfondo);
  }
  if (pbAggPrezzo) CalcPrezzo(0);
  if (!pbAggProvvAge) return;
  if (mdPercRidProvvTab == -2) {
    // Only the table rule's commission reduction is wanted here.
    double prezzoTab = odTabPrezzo;
    std::string modoTab = osModScontoTab, scontoTab = osScontoTab;
    UtilDocFattGest::RicScontoTab(txt(20).Text(), osMoneta, prezzoTab, modoTab, scontoTab, "", osIntest, osIntTipo,
                                  osCategoria, osArtGruppo, osArtSottoGru, osTabSconti, mdPercRidProvvTab);
  }
  const std::string catena = txt(80).Text();
  const vb::Variant rid = vb::Variant(oiRidPercAgenti);
  txt(180).SetText(AziendaUtil::CalcProvvRidotta(catena, vb::Variant(msPercProvvArt1), rid, mdPercRidProvvTab,
                                                 mdPercRidProvvQta, osModScontoQta)
                       .ToString());
  txt(190).SetText(AziendaUtil::CalcProvvRidotta(catena, vb::Variant(msPercProvvArt2), rid, mdPercRidProvvTab,
                                                 mdPercRidProvvQta, osModScontoQta)
                       .ToString());
}

void frmDDTDett::AzzMemSconti() {
  osArtSconto.clear();
  osArtLisSconto.clear();
  osScontoQta.clear();
  osScontoTab.clear();
  osArtLisModSconto = "N";
  osModScontoQta = "N";
  osModScontoTab = "N";
  mdPercRidProvvTab = -2;
  mdPercRidProvvQta = -2;
}

void frmDDTDett::AzzRicSconto() {
  AzzMemSconti();
  vb::Variant sconto;
  AziendaUtil::LeggiCampoDecod("Articolo", vb::Variant(txt(20).Text()), sconto, {}, 0, 8, "Sconto");
  osArtSconto = sconto.IsNull() || sconto.IsEmpty() || sconto.IsMissing() ? std::string() : sconto.ToString();
}

void frmDDTDett::VerificaPromozione() {
  const Globali& g = G();
  const std::string data = FC().ValoreSql(vb::Variant(osDataRif), vb::vbDate);
  const std::string sql = std::string("Select top 1 * from ArtLisPromozioni") +
                          " Where Articolo = " + FC().ValoreSql(vb::Variant(txt(20).Text()), vb::vbString) +
                          " AND Listino = " + FC().ValoreSql(vb::Variant(txt(700).Text()), vb::vbString) +
                          " AND DataInizioProm <= " + data + " AND DataFineProm >= " + data +
                          " ORDER BY DataInizioProm Desc";
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
  const bool trovata = !rs.NessunRecord(k);
  rs.ChiudiRecordset(k);
  if (!trovata) return;
  if (frmMsgCom::msgCom("Ci sono livelli con prezzo in promozione\r\nConsidero questo dettaglio in promozione?", "Si",
                        vb::Variant("No"), vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1) != 1)
    return;
  // A promotional line takes no customer discount.
  txt(175).SetText("S");
  che(175).SetValue(1);
  txt(100).SetText("");
}
