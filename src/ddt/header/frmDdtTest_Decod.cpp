// The decoders of the header's coded fields: the description beside each
// code and what a few codes bring into the header (a destination's or a
// carrier's address, a transport master's text, an agent's commission, a
// contract's CIG and CUP), and the enabling of the boxes where a DDT keeps
// such texts of its own when it names no code.
//
// A DDT stores either a code or free text, never both (the carrier's plate
// apart): with a code the visible boxes show the master record and are
// locked, while the hidden bound boxes are emptied so that the row keeps
// the code only; without a code the visible boxes are open for typing and
// the exit copy of each box carries what is typed into its bound box.
//
// None of these procedures shows a message: a code the master does not hold
// is reported by the decoder ("** INESISTENTE **", the error colour, the
// look-up window when allowed) and the procedure goes on with the empty
// columns it gets back.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }

void Abilita(const ui::Form& f, const char* nome, int indice, bool abil) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetEnabled(abil);
}

// One coded field whose master may be replaced by the DDT's own texts: the
// code box, the visible boxes (the first one is the decoder's description
// control) and their hidden bound boxes, and the master's columns that fill
// the visible boxes after the first (for the destination, all of them).
struct TestoLibero {
  const char* tipo;
  int codice;
  std::vector<int> visibili, nascosti;
  std::vector<const char*> colonne;
};

const TestoLibero& Definizione(int piCodice) {
  static const TestoLibero destinazione{"IndSped",
                                        800,
                                        {810, 820, 850, 860, 870, 880, 890},
                                        {830, 840, 900, 910, 920, 930, 940},
                                        {"Ragsoc", "RagSoc2", "Indirizzo", "CAP", "Localita", "Pr", "Stato"}};
  static const TestoLibero vettore{"Vettore",
                                   950,
                                   {960, 980, 990, 1000, 1010, 1015},
                                   {970, 1020, 1030, 1040, 1050, 1055},
                                   {"Indirizzo", "CAP", "Localita", "Pr", "Targa"}};
  static const TestoLibero causale{"CauTrasporto", 1060, {1070}, {1080}, {}};
  static const TestoLibero aspetto{"AspettoBene", 1090, {1100}, {1110}, {}};
  static const TestoLibero resa{"Resa", 1120, {1130}, {1140}, {}};
  static const TestoLibero trasporto{"Trasporto", 1150, {1160}, {1170}, {}};
  switch (piCodice) {
    case 800: return destinazione;
    case 950: return vettore;
    case 1060: return causale;
    case 1090: return aspetto;
    case 1120: return resa;
    default: return trasporto;
  }
}

}  // namespace

// The generic decode of a code into its description label, for the fields
// that only show a description (and for the callers that name the kind).
void frmDdtTest::DecodSoloCodice(const std::string& psTipo, int piCodice, bool pbFaiHelp) {
  AziendaUtil::DecodCodice(psTipo, txt(piCodice), &lab(piCodice), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
}

namespace {

// The two branches shared by the free-text decoders.
void DecodificaTestoLibero(frmDdtTest& f, const TestoLibero& d, bool pbModif, bool pbFocus, bool pbFaiHelp) {
  auto abilita = [&](bool abil) {
    switch (d.codice) {
      case 800: f.AbilDestin(abil); break;
      case 950: f.AbilVettore(abil); break;
      case 1060: f.AbilCauTras(abil); break;
      case 1090: f.AbilAspetto(abil); break;
      case 1120: f.AbilResi(abil); break;
      default: f.AbilTrasporto(abil); break;
    }
  };
  ui::Controllo& codice = f.txt(d.codice);
  if (Vuoto(codice.Text())) {
    // No code: the DDT's own texts, open for typing. Without a change the
    // boxes keep what was typed and not yet copied.
    codice.SetBackColor(G().glColoreSfondo);
    abilita(true);
    if (pbModif) {
      for (size_t i = 0; i < d.visibili.size(); ++i) f.txt(d.visibili[i]).SetText(f.txt(d.nascosti[i]).Text());
      ui::Controllo& primo = f.txt(d.visibili.front());
      if (pbFocus && primo.PuoFuoco()) primo.SetFocus();
    }
    return;
  }

  // A destination belongs to an account: the account kind when there is
  // one, then the account.
  aiuti::ChiaveAgg chiave;
  if (d.codice == 800)
    chiave = Vuoto(f.txt(86).Text()) ? aiuti::ChiaveAgg(f.txt(80))
                                     : aiuti::ChiaveAgg{aiuti::ChiaveAgg(f.txt(86)), aiuti::ChiaveAgg(f.txt(80))};
  std::vector<vb::Variant> colonne;
  for (const char* c : d.colonne) colonne.emplace_back(c);
  const vb::Variant trovato =
      AziendaUtil::DecodCodice(d.tipo, codice, &f.txt(d.visibili.front()), chiave, 0, 0, "",
                               colonne.empty() ? nullptr : &colonne, "", "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
  // The columns fill the visible boxes from the last one back; the
  // destination's name comes as a column too, but a code not found keeps
  // the decoder's report in its box.
  const size_t primo = d.visibili.size() - colonne.size();
  for (size_t i = 0; i < colonne.size(); ++i) {
    const int box = d.visibili[primo + i];
    if (primo + i == 0 && FC().ValInt(trovato) != -1) continue;
    f.txt(box).SetText(Txt(colonne[i]));
  }
  for (int n : d.nascosti) f.txt(n).SetText("");
  // The carrier's plate may be kept on the DDT beside the code.
  if (d.codice == 950 && f.mbMemTargaVet) f.txt(1055).SetText(f.txt(1015).Text());
  abilita(false);
}

}  // namespace

void frmDdtTest::MostraDestinazione(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(800), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraVettore(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(950), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraCauTrasp(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(1060), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraAspetto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(1090), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraResa(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(1120), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraTrasporto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodificaTestoLibero(*this, Definizione(1150), pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::AbilDestin(bool pbAbil) {
  for (int n : {810, 820, 850, 860, 870, 880, 890}) Abilita(*this, "txt", n, pbAbil);
}

void frmDdtTest::AbilVettore(bool& pbAbil) {
  for (int n : {960, 980, 990, 1000, 1010}) Abilita(*this, "txt", n, pbAbil);
  // With the plate kept on the DDT it stays editable beside a carrier code.
  Abilita(*this, "txt", 1015, mbMemTargaVet || pbAbil);
}

void frmDdtTest::AbilCauTras(bool pbAbil) { Abilita(*this, "txt", 1070, pbAbil); }

void frmDdtTest::AbilAspetto(bool& pbAbil) { Abilita(*this, "txt", 1100, pbAbil); }

void frmDdtTest::AbilResi(bool pbAbil) { Abilita(*this, "txt", 1130, pbAbil); }

void frmDdtTest::AbilTrasporto(bool pbAbil) { Abilita(*this, "txt", 1160, pbAbil); }

// ---- decode only: the description and nothing else

void frmDdtTest::MostraBanca(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Banca", 250, pbFaiHelp);
}

void frmDdtTest::MostraIva(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Iva", 270, pbFaiHelp);
}

void frmDdtTest::MostraLingua(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Lingua", 560, pbFaiHelp);
}

// The warehouse of the goods movement (290) or, for an internal DDT, the
// destination warehouse (88).
void frmDdtTest::MostraMagazzino(int piIndex, bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Magazzino", piIndex, pbFaiHelp);
}

// Not used by this window: the used-goods flag has no field on the DDT.
void frmDdtTest::MostraBeneUsato(bool& pbModif, bool& pbFaiHelp) { (void)pbModif, (void)pbFaiHelp; }

// ---- agents

// The agent's own commission goes beside the code; a new or changed code
// sets the DDT's commission by the commission kind: the customer's ("C"),
// the agent's ("G"), none otherwise; an emptied code empties it.
void frmDdtTest::MostraAgente(int piIndex, int piProvv, int piTxtProvv, bool& pbModif, bool& pbFaiHelp) {
  const bool primo = piTxtProvv == 490;
  const std::string tipoProvv = vb::Trim(txt(primo ? 470 : 515).Text());
  const std::string provvCliente = primo ? msProvv1Cli : msProvv2Cli;

  std::vector<vb::Variant> colonne{vb::Variant("Provv")};
  AziendaUtil::DecodCodice("Agente", txt(piIndex), &lab(piIndex), {}, 0, 0, "", &colonne, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
  lab(piProvv).SetCaption(Txt(colonne.front()));
  if (!pbModif) return;

  ui::Controllo& provv = txt(piTxtProvv);
  if (Vuoto(txt(piIndex).Text()))
    provv.SetText("");
  else if (vb::UgualeTesto(tipoProvv, "C"))
    provv.SetText(provvCliente);
  else if (vb::UgualeTesto(tipoProvv, "G"))
    provv.SetText(lab(piProvv).Caption());
  else
    provv.SetText("");
}

// ---- contract

// The contract's CIG and CUP come into the header when the contract is new
// or changed (an empty one leaves the header's as it is), and the mark
// beside the contract is refreshed.
void frmDdtTest::MostraContratto(bool& pbModif) {
  std::vector<vb::Variant> colonne{vb::Variant("CIG"), vb::Variant("CUP")};
  AziendaUtil::DecodCodiceOpz("Contratti", txt(1400), &lab(1400), {}, 0, 0, "", &colonne);
  if (!pbModif) return;
  const std::string cig = Txt(colonne[0]), cup = Txt(colonne[1]);
  if (!Vuoto(cig)) txt(1410).SetText(cig);
  if (!Vuoto(cup)) txt(1420).SetText(cup);
  VerContrDoppio();
}
