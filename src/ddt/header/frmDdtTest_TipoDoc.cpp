// The document type: its decode, the defaults and the warehouse cause it
// brings, and the internal transfer it may make of the DDT.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s), vb::vbString, 1, false); }

void Abilita(const ui::Form& f, const char* nome, int indice, bool abil) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetEnabled(abil);
}

void Mostra(const ui::Form& f, const char* nome, int indice, bool vis) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetVisible(vis);
}

}  // namespace

void frmDdtTest::AbilDdtInterno(bool pbInterno) {
  Mostra(*this, "txt", 88, pbInterno);
  Mostra(*this, "ComHlp", 88, pbInterno);
  Mostra(*this, "label1", 88, pbInterno);
  Mostra(*this, "lab", 88, pbInterno);
  // An internal transfer is never invoiced.
  Abilita(*this, "che", 300, !pbInterno);
}

void frmDdtTest::MostraFattDoc(bool pbModif, bool pbFaiHelp) {
  static const char* const kColonne[] = {"MagCausale", "PrezzoDDT", "AFornitore", "PrefBolle", "Listino",
                                         "MagProposto", "NumNota1", "NumNota2", "NumNota3", "FattDocEvasione",
                                         "TabSconti", "DoveStampoDesLung", "MagCausaleRientro", "GgScadCli",
                                         "Segno", "RegimeMargine", "Interno", "Pagamento"};
  // The kind of account before the change: a new kind makes the account
  // entered doubtful.
  const std::string tipoPrima = txt(86).Text();
  std::vector<vb::Variant> v;
  for (const char* c : kColonne) v.emplace_back(c);
  const vb::Variant r = AziendaUtil::DecodCodice("FattDocumento", txt(40), &lab(40), {}, 0, 0, "", &v,
                                                 " Tipo = '" + std::string("B") + "'", "", 0, vb::Missing, -1,
                                                 pbFaiHelp ? -1 : 0);
  // A type not found, or a look-up closed without a choice, changes nothing.
  if (r.ToInt() == 0) return;
  v.resize(std::size(kColonne));
  const bool interno = vb::UgualeTesto(Txt(v[16]), "S");
  AbilDdtInterno(interno);
  if (!pbModif || !HaBarra() || ogComPag().oiFlagOpe() == 0) return;
  if (interno) {
    if (ui::Controllo* c = Trova("che", 300)) c->SetValue(0);
    txt(300).SetText("N");
  }
  msMagCausale = Txt(v[0]);
  msDdtInterno = Txt(v[16]);
  msPrezzoDdtDoc = Txt(v[1]);
  msTabSconti = Txt(v[10]);
  mlGgScadCli = vb::Variant(FC().ValDouble(v[13], true)).ToLong();
  msSegnoDoc = Txt(v[14]);
  if (vb::UgualeTesto(msPrezzoDdtCli, "T")) txt(440).SetText(msPrezzoDdtDoc);
  // The payment discount goes on the lines for the types the user lists.
  const bool scoPagSuDett = AziendaUtil::VerifScontoPagInDet(txt(40).Text(), "DDT");
  if (ui::Controllo* c = Trova("che", 235)) c->SetValue(scoPagSuDett ? 1 : 0);
  txt(235).SetText(scoPagSuDett ? "S" : "N");
  vb::Variant qualeImporto;
  std::vector<vb::Variant> causale{vb::Variant("TipoMov"), vb::Variant("CarScar"), vb::Variant("Segno"),
                                   vb::Variant("Prov"),    vb::Variant("Dest"),    vb::Variant("Descrizione")};
  AziendaUtil::LeggiCampoDecod("MagCausale", vb::Variant(msMagCausale), qualeImporto, {}, 0, 8, "QualeImporto", 0,
                               &causale);
  causale.resize(6);
  msQualeImporto = Vuoto(Txt(qualeImporto)) ? std::string("L") : vb::Trim(Txt(qualeImporto));
  msPagamentoDoc = Txt(v[17]);
  msTipoMov = vb::Trim(Txt(causale[0]));
  msCarScar = vb::Trim(Txt(causale[1]));
  msSegnoCausale = vb::Trim(Txt(causale[2]));
  msProvCausale = vb::Trim(Txt(causale[3]));
  msDestCausale = vb::Trim(Txt(causale[4]));
  msDescCausale = vb::Trim(Txt(causale[5]));
  // What the cause means for the serial numbers and the lots of the lines.
  msMatrTipOpe = AziendaUtil::CalcMatrTipOpe(msTipoMov, msCarScar, msProvCausale, msSegnoCausale,
                                             msMatrCausaliRientro, msMagCausale, msMatrCausaliNoMovCar);
  msLottoTipOpe =
      UtilLotto::CalcLottoTipOpe(msTipoMov, msCarScar, msSegnoCausale, msMagCausale, msLottiCausaliNoMovCar);
  txt(86).SetText(Txt(v[2]));
  // An account of the old kind is no longer sure to be one of the new: a
  // field already in error is decoded again, a valid one is only marked.
  // With the same kind the type's payment rule applies to the account.
  ui::Controllo& conto = txt(80);
  if (!Vuoto(conto.Text())) {
    if (!vb::UgualeTesto(txt(86).Text(), tipoPrima)) {
      if (conto.BackColor() == G().glColoreErrore)
        MostraCliente(true, false, true, "");
      else
        conto.SetBackColor(G().glColoreErrore);
    } else {
      QualePagam();
    }
  }
  const std::string pref = Txt(v[3]);
  txt(50).SetText(Vuoto(pref) ? Txt(servizi::ParamDitta("Fat.PrefDdt")) : pref);
  msListinoDoc = Txt(v[4]);
  const std::string listino = QualeListino();
  if (!vb::UgualeTesto(listino, txt(200).Text())) {
    txt(200).SetText(listino);
    MostraListino(true, false);
  }
  AbilListino(pbModif, true);
  const std::string mag = Txt(v[5]);
  txt(290).SetText(Vuoto(mag) ? Txt(servizi::ParamDitta("Mag.MagPrincipale")) : mag);
  bool modif = true, aiuto = false;
  MostraMagazzino(290, modif, aiuto);
  txt(530).SetText(Txt(v[6]));
  txt(540).SetText(Txt(v[7]));
  txt(550).SetText(Txt(v[8]));
  txt(300).SetText(Vuoto(Txt(v[9])) ? "N" : "S");
  msDoveStampoDesLung = Txt(v[11]);
  msMagCausaleRientro = Txt(v[12]);
  // Goods that come back on a return cause are not invoiced.
  if (!Vuoto(msMagCausaleRientro)) txt(300).SetText("N");
  msRegimeMargine = Txt(v[15]);
  ImpTilToopIntest();
  AggNonText();
  MostraScad(true);
}

// The account field says what it expects after the type's kind of account.
void frmDdtTest::ImpTilToopIntest() {
  const std::string tipo = vb::Trim(txt(86).Text());
  const char* chi = tipo == "3" ? "Cliente" : tipo == "2" ? "Fornitore" : "Destinatario";
  txt(80).SetToolTipText(std::string("Inserire il ") + chi);
}
