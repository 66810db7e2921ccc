// The decoders of the header's coded fields: the description beside each
// code, and what a code brings into the header (the document type's
// defaults, the currency's decimals and masks, a transport master's texts,
// the used amounts of a declaration of intent). Also the defaults of a new
// DDT and the mark beside the contract when lines do not follow it.
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

void Abilita(const ui::Form& f, const char* nome, int indice, bool abil) {
  if (ui::Controllo* c = f.Trova(nome, indice)) c->SetEnabled(abil);
}

}  // namespace

void frmDdtTest::DecodSoloCodice(const std::string& psTipo, int piCodice, bool pbFaiHelp) {
  AziendaUtil::DecodCodice(psTipo, txt(piCodice), &lab(piCodice), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
}

// A code whose master carries texts the DDT may also hold on its own: with
// the code the visible boxes show the master and are locked, the hidden
// bound boxes are emptied (the row keeps the code only); without it the
// visible boxes take the DDT's own texts and are open for typing.
void frmDdtTest::DecodTestoLibero(int piCodice, int piVisibile, int piNascosto, bool pbModif, bool pbFocus,
                                  bool pbFaiHelp) {
  struct Copia {
    int vis, nasc;
    const char* colonna;
  };
  std::vector<Copia> copie;
  std::string tipo;
  aiuti::ChiaveAgg chiave;
  switch (piCodice) {
    case 800:
      tipo = "IndSped";
      copie = {{820, 840, "RagSoc2"},   {850, 900, "Indirizzo"}, {860, 910, "CAP"},
               {870, 920, "Localita"}, {880, 930, "Pr"},        {890, 940, "Stato"}};
      chiave = FC().Vuoto(vb::Variant(txt(86).Text())) ? aiuti::ChiaveAgg(txt(80))
                                                       : aiuti::ChiaveAgg{aiuti::ChiaveAgg(txt(86)), aiuti::ChiaveAgg(txt(80))};
      break;
    case 950:
      tipo = "Vettore";
      copie = {{980, 1020, "Indirizzo"}, {990, 1030, "CAP"}, {1000, 1040, "Localita"}, {1010, 1050, "Pr"},
               {1015, 1055, "Targa"}};
      break;
    case 1060: tipo = "CauTrasporto"; break;
    case 1090: tipo = "AspettoBene"; break;
    case 1120: tipo = "Resa"; break;
    case 1150: tipo = "Trasporto"; break;
    default: return;
  }
  auto abilita = [&](bool abil) {
    switch (piCodice) {
      case 800: AbilDestin(abil); break;
      case 950: AbilVettore(abil); break;
      case 1060: AbilCauTras(abil); break;
      case 1090: AbilAspetto(abil); break;
      case 1120: AbilResi(abil); break;
      default: AbilTrasporto(abil); break;
    }
  };

  ui::Controllo& codice = txt(piCodice);
  if (FC().Vuoto(vb::Variant(codice.Text()))) {
    codice.SetBackColor(G().glColoreSfondo);
    abilita(true);
    if (pbModif) {
      txt(piVisibile).SetText(txt(piNascosto).Text());
      for (const Copia& c : copie) txt(c.vis).SetText(txt(c.nasc).Text());
      if (pbFocus && txt(piVisibile).PuoFuoco()) txt(piVisibile).SetFocus();
    }
    return;
  }
  std::vector<vb::Variant> colonne;
  for (const Copia& c : copie) colonne.emplace_back(c.colonna);
  AziendaUtil::DecodCodice(tipo, codice, &txt(piVisibile), chiave, 0, 0, "", colonne.empty() ? nullptr : &colonne, "",
                           "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
  for (size_t i = 0; i < copie.size(); ++i) txt(copie[i].vis).SetText(i < colonne.size() ? Txt(colonne[i]) : "");
  txt(piNascosto).SetText("");
  for (const Copia& c : copie) txt(c.nasc).SetText("");
  // The carrier's plate may be kept on the DDT beside the code.
  if (piCodice == 950 && mbMemTargaVet) txt(1055).SetText(txt(1015).Text());
  abilita(false);
}

void frmDdtTest::MostraIva(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Iva", 270, pbFaiHelp);
}

void frmDdtTest::AbilAspetto(bool& pbAbil) { Abilita(*this, "txt", 1100, pbAbil); }

void frmDdtTest::AbilCauTras(bool pbAbil) { Abilita(*this, "txt", 1070, pbAbil); }

void frmDdtTest::AbilResi(bool pbAbil) { Abilita(*this, "txt", 1130, pbAbil); }

void frmDdtTest::AbilTrasporto(bool pbAbil) { Abilita(*this, "txt", 1160, pbAbil); }

void frmDdtTest::AbilDestin(bool pbAbil) {
  for (int n : {810, 820, 850, 860, 870, 880, 890}) Abilita(*this, "txt", n, pbAbil);
}

void frmDdtTest::AbilVettore(bool& pbAbil) {
  for (int n : {960, 980, 990, 1000, 1010}) Abilita(*this, "txt", n, pbAbil);
  // With the plate kept on the DDT it stays editable beside a carrier code.
  Abilita(*this, "txt", 1015, mbMemTargaVet || pbAbil);
}

void frmDdtTest::MostraBanca(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Banca", 250, pbFaiHelp);
}

void frmDdtTest::MostraLingua(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Lingua", 560, pbFaiHelp);
}

void frmDdtTest::MostraMagazzino(int piIndex, bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Magazzino", piIndex, pbFaiHelp);
}

void frmDdtTest::MostraAgente(int piIndex, int piProvv, int piTxtProvv, bool& pbModif, bool& pbFaiHelp) {
  (void)piProvv, (void)piTxtProvv, (void)pbModif;
  DecodSoloCodice("Agente", piIndex, pbFaiHelp);
}

void frmDdtTest::MostraDestinazione(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(800, 810, 830, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraVettore(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(950, 960, 970, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraCauTrasp(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(1060, 1070, 1080, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraAspetto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(1090, 1100, 1110, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraResa(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(1120, 1130, 1140, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraTrasporto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp) {
  DecodTestoLibero(1150, 1160, 1170, pbModif, pbFocus, pbFaiHelp);
}

void frmDdtTest::MostraContratto(bool& pbModif) {
  AziendaUtil::DecodCodiceOpz("Contratti", txt(1400), &lab(1400));
  if (pbModif) VerContrDoppio();
}

void frmDdtTest::MostraBeneUsato(bool& pbModif, bool& pbFaiHelp) { (void)pbModif, (void)pbFaiHelp; }
