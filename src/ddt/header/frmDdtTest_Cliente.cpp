// The customer on the header: its decode and, for a new or changed account,
// the defaults it brings (price list, payment, bank, VAT, agents, carrier,
// destination), its country, and the source-order labels.
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "services/Impostazioni.h"

namespace {

constexpr long kRosso = 0x0000FF;  // &H000000FF&
constexpr long kBlu = 0xFF0000;    // &H00FF0000&
constexpr int16_t kTastoF2 = 113;

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }

// The customer's columns, in the order the decoder gives them back.
enum Pos {
  pRagSoc, pRagSoc2, pIndirizzo, pCap, pLocalita, pPr, pStato, pPartIva, pCodFisc, pTelefono,
  pListino, pPagamento, pSconto, pBanca, pIva, pBolli, pSpesa, pSpeseBan, pAgente1, pProvv1,
  pAgente2, pProvv2, pTipoProvv, pRagDdt, pPrezzoDdt, pDicIntenti, pRischio, pIndSped, pRagRb, pDescrizione,
  pIvaSosp, pResa, pVettore, pCategoria, pGruppoContr, pMastroContr, pContoContr, pDataChiu, pFido, pLingua,
  pNoteCF, pRagOrd, pClasseInib, pZona, pTipo, pPercRitAcc, pClasseSocio, pTipoProvv2, pPagamento2, pCassaPrev,
  kNumPos
};

constexpr const char* kColonne[kNumPos] = {
    "Ragsoc", "Ragsoc2", "Indirizzo", "CAP", "Localita", "Pr", "Stato", "Partiva", "CodFisc", "Telefono",
    "Listino", "Pagamento", "Sconto", "Banca", "Iva", "Bolli", "Spesa", "SpeseBan", "Agente1", "Provv1",
    "Agente2", "Provv2", "TipoProvv", "RagDDT", "PrezzoDDT", "DicIntenti", "Rischio", "IndSped", "RagRb",
    "Descrizione", "IvaSosp", "Resa", "Vettore", "Categoria", "GruppoContr", "MastroContr", "ContoContr",
    "DataChiu", "Fido", "Lingua", "NoteCF", "RagOrd", "", "Zona", "Tipo", "PercRitAcc", "", "TipoProvv2",
    "Pagamento2", "CassaPrev"};

}  // namespace

// The source order's year and number belong to grouping by order only.
void frmDdtTest::MostraOrdProv() {
  const bool vis = vb::UgualeTesto(txt(450).Text(), "O");
  for (const char* nome : {"lab", "label1"})
    for (int n : {452, 454})
      if (ui::Controllo* l = Trova(nome, n)) l->SetVisible(vis);
}

void frmDdtTest::MostraCliente(bool pbModif, bool pbCalcScad, bool pbFaiHelp, const std::string& psTxtHelp) {
  const Globali& g = G();
  std::vector<vb::Variant> v;
  v.reserve(kNumPos);
  for (int i = 0; i < kNumPos; ++i) v.emplace_back(kColonne[i]);
  // The barring attribute, when barring is on; a constant otherwise (no
  // customer column is named "1": it reads as nothing).
  v[pClasseInib] = msInibCliAttr.empty() ? std::string("1") : "pdcClasseAttr" + msInibCliAttr;
  v[pClasseSocio] = VerifClasseRegConf() ? "PdcClasseAttr" + msClasseRegConf : std::string("1");

  // With the DDT's account kind known, only accounts of that kind decode.
  ui::Controllo& conto = txt(80);
  const bool conTipo = !Vuoto(txt(86).Text());
  const vb::Variant esito =
      AziendaUtil::DecodCodice("Conto", conto, &lab(80), conTipo ? aiuti::ChiaveAgg(txt(86)) : aiuti::ChiaveAgg(), 0,
                               0, "", &v, "", "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0, psTxtHelp);
  const int modo = HaBarra() ? ogComPag().oiFlagOpe() : 0;
  if (modo == 0 || !esito.ToBool()) return;
  v.resize(kNumPos);
  auto V = [&v](Pos p) { return Txt(v[p]); };
  auto Si = [&V](Pos p) { return vb::UgualeTesto(vb::Trim(V(p)), "S"); };

  // ---- what the header shows of the customer
  if (Vuoto(txt(86).Text())) txt(86).SetText(V(pTipo));
  const std::string note = V(pNoteCF);
  txt(1600).SetText(note);
  if (!msInizioAvvisoCliente.empty()) {
    const bool avviso = vb::UgualeTesto(msInizioAvvisoCliente, "Tutti")
                            ? !Vuoto(note)
                            : vb::Piega(note).rfind(vb::Piega(msInizioAvvisoCliente), 0) == 0;
    if (ui::Controllo* l = Trova("labNoteCliente")) l->SetVisible(avviso);
  }
  msClasseAttrCli = V(pClasseSocio);
  msGruppoContr = V(pGruppoContr);
  msMastroContr = V(pMastroContr);
  msContoContr = V(pContoContr);
  lab(80).SetCaption(Vuoto(V(pRagSoc)) ? V(pDescrizione) : V(pRagSoc));
  lab(81).SetCaption(V(pRagSoc2));
  lab(82).SetCaption(V(pIndirizzo));
  lab(83).SetCaption(V(pCap) + " " + V(pLocalita) + " " + V(pPr) + " " + V(pStato));
  lab(84).SetCaption(Vuoto(V(pPartIva)) ? V(pCodFisc) : V(pPartIva));
  MostraStato(v[pStato], true, false);
  lab(85).SetCaption(V(pTelefono));
  if (ui::Controllo* c = Trova("che", 430)) c->SetValue(Si(pBolli) ? 1 : 0);
  if (ui::Controllo* c = Trova("che", 460)) c->SetValue(Si(pSpeseBan) ? 1 : 0);
  msPagamentoCli = V(pPagamento);
  msPagamento2Cli = V(pPagamento2);
  if (!pbModif) return;

  // ---- the customer's defaults
  bool si = true, no = false;
  msListinoCli = V(pListino);
  const std::string listino = QualeListino();
  if (!vb::UgualeTesto(listino, txt(200).Text())) {
    txt(200).SetText(listino);
    MostraListino(true, false);
  }
  QualePagam();
  txt(240).SetText(V(pSconto));
  txt(250).SetText(V(pBanca));
  txt(260).SetText(V(pRagRb));
  txt(265).SetText(V(pRagOrd));
  MostraBanca(si, no);
  txt(270).SetText(Vuoto(V(pIva)) ? msCodIvaDef : V(pIva));
  MostraIva(si, no);
  txt(280).SetText(V(pIvaSosp));
  txt(560).SetText(V(pLingua));
  MostraLingua(si, no);
  msSpesaCli = V(pSpesa);

  txt(470).SetText(V(pTipoProvv));
  txt(480).SetText(V(pAgente1));
  msProvv1Cli = V(pProvv1);
  MostraAgente(480, 481, 490, si, no);
  txt(500).SetText(V(pAgente2));
  msProvv2Cli = V(pProvv2);
  txt(515).SetText(Vuoto(txt(500).Text()) ? std::string("N") : V(pTipoProvv2));
  MostraAgente(500, 501, 510, si, no);

  txt(450).SetText(vb::UgualeTesto(vb::Trim(V(pRagDdt)), "T") ? Txt(servizi::ParamDitta("Fat.RagDDT"))
                                                               : V(pRagDdt));
  msPrezzoDdtCli = V(pPrezzoDdt);
  txt(440).SetText(vb::UgualeTesto(vb::Trim(msPrezzoDdtCli), "T") ? msPrezzoDdtDoc : msPrezzoDdtCli);
  msDicIntentiCli = V(pDicIntenti);

  // Risk and credit limit: the limit is shown only for a customer at risk.
  const std::string rischio = V(pRischio);
  lab(1650).SetCaption(rischio);
  lab(92).SetCaption(lab(1650).Caption());
  lab(1655).SetCaption(V(pFido));
  lab(91).SetCaption(V(pFido));
  const bool aRischio = vb::UgualeTesto(lab(1650).Caption(), "S");
  lab(91).SetVisible(aRischio);
  label1(91).SetVisible(aRischio);
  // A closed account is marked, not refused.
  const bool chiuso = !FC().Vuoto(v[pDataChiu]);
  lab(89).SetVisible(chiuso);
  lab(80).SetForeColor(chiuso ? kRosso : kBlu);
  lab(81).SetForeColor(chiuso ? kRosso : kBlu);

  // A destination already there keeps what the user may have typed over it.
  if (!vb::UgualeTesto(V(pIndSped), txt(800).Text())) {
    txt(800).SetText(V(pIndSped));
    MostraDestinazione(si, no, no);
  }
  txt(950).SetText(V(pVettore));
  MostraVettore(si, no, no);
  txt(1120).SetText(V(pResa));
  msCategoriaCli = V(pCategoria);
  MostraResa(si, no, no);
  if (vb::UgualeTesto(g.gsScoZona, "S")) txt(570).SetText(V(pZona));
  msZonaCli = V(pZona);
  txt(275).SetText(FC().Formatta(v[pPercRitAcc], "#,###.^^^"));
  mbCassaPrev = Si(pCassaPrev);

  AggNonText();
  if (pbCalcScad) MostraScad(true);

  // A customer of a barred class: said, marked, not blocked. Items are
  // whole values; an empty item (a trailing comma) bars nobody.
  if (!msInibCliAttr.empty()) {
    const std::string classe = vb::Trim(V(pClasseInib));
    for (size_t i = 1; i < msInibCliValori.size(); ++i) {
      const std::string voce = vb::Trim(msInibCliValori[i]);
      if (voce.empty() || !vb::UgualeTesto(voce, classe)) continue;
      conto.SetBackColor(g.glColoreErrore);
      frmMsgCom::msgCom("Cliente non abilitato ai DDT", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600,
                        vb::Missing, 1);
      break;
    }
  }

  // The declaration of intent belongs to the previous customer: it is
  // dropped, and the new customer's are offered at once.
  txt(310).SetText("");
  txt(310).SetBackColor(g.glColoreSfondo);
  if (mbDicIntentiTest && mbDicIntentiValDef) {
    int16_t scelto = 0;
    AziendaUtil::ApriAiuto("PdcDicIntenti", txt(310), &lab(310), kTastoF2,
                           aiuti::ChiaveAgg(FC().FormatTipo(vb::Variant(conto.Text()), "conto")), scelto);
  }
  MostraPdcDicIntenti(true, true);
}

std::string frmDdtTest::QualeListino() {
  if (!vb::UgualeTesto(vb::Trim(msQualeImporto), "L")) return {};
  if (!Vuoto(msListinoDoc)) return msListinoDoc;
  if (!Vuoto(msListinoCli)) return msListinoCli;
  return Txt(servizi::ParamDitta("Mag.ListinoPrincipale"));
}

void frmDdtTest::QualePagam() {
  if (Vuoto(txt(80).Text())) return;
  // The document type's rule: "$1" (or none) the customer's payment, "$2"
  // its second one when it has it, anything else a fixed payment code.
  const std::string regola = vb::Trim(msPagamentoDoc);
  std::string codice;
  if (regola.empty() || vb::UgualeTesto(regola, "$1"))
    codice = msPagamentoCli;
  else if (vb::UgualeTesto(regola, "$2"))
    codice = Vuoto(msPagamento2Cli) ? msPagamentoCli : msPagamento2Cli;
  else
    codice = msPagamentoDoc;
  txt(220).SetText(codice);
  MostraPagamento(true, true);
}

// The country's ISO code in front of the VAT number or fiscal code.
void frmDdtTest::MostraStato(const vb::Variant& pvStato, bool pbModif, bool pbFaiHelp) {
  (void)pbModif;
  ui::Controllo& l = lab(84);
  const std::string numero = l.Caption();
  // The label lends itself to the decoder as its code box: its colour is
  // the label's, whatever the decode makes of the country.
  const long sfondo = l.BackColor();
  l.SetCaption(Txt(pvStato));
  std::vector<vb::Variant> iso{vb::Variant("Iso")};
  AziendaUtil::DecodCodice("Stato", l, &l, {}, 0, 0, "", &iso, "", "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
  l.SetBackColor(sfondo);
  l.SetCaption(vb::Trim((iso.empty() ? std::string() : Txt(iso[0])) + " " + numero));
}
