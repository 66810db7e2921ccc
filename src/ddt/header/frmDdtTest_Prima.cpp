// The before-operation hook of the header: where the bar's operation is
// refused, where a new DDT gets its year and number, where the user says
// which header changes go to the lines, and where the update of a stored
// DDT begins its transaction (committed or rolled back by the after hook).
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

const vb::Variant kNo = vb::Variant(int16_t(0));
const vb::Variant kSi = vb::Variant(int16_t(1));

// One message of the hook: two lines joined as the message window expects.
int Avviso(const std::string& riga1, const std::string& riga2 = {}, const std::string& b1 = "&Ok",
           const vb::Variant& b2 = vb::Missing) {
  const std::string testo = riga2.empty() ? riga1 : riga1 + "\r\n" + riga2;
  return frmMsgCom::msgCom(testo, b1, b2, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
}

bool Domanda(const std::string& riga1, const std::string& riga2) {
  return Avviso(riga1, riga2, "&Si", vb::Variant("&No")) == 1;
}

bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }

bool NeANeN(const std::string& tipo) { return !Uguale(tipo, "A") && !Uguale(tipo, "N"); }

void ImpostaElemento(std::vector<vb::Variant>& a, size_t i, const vb::Variant& v) {
  if (a.size() <= i) a.resize(i + 1);
  a[i] = v;
}

}  // namespace

vb::Variant frmDdtTest::PersPagPri(int16_t piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  auto& barra = ogComPag();
  const int modo = barra.oiFlagOpe();
  switch (piOper) {
    case 3: {
      // The key typed: "0" asks for a new DDT of the year typed, or of the
      // working year when none is.
      if (modo != 0) return kNo;
      if (txt(10).Text() == "0") {
        if (Fc().Vuoto(txt(20).Text(), vb::vbString, 1, false))
          txt(20).SetText(std::to_string(G().gtDataLavoro.Year()));
        barra.ImpModo(1);
      }
      return kNo;
    }

    case 4: {
      if (!pvArray.empty() && pvArray[0].IsNumeric() && pvArray[0].ToDouble() == 1) return kNo;
      if (modo == 0) return kNo;
      if (modo == 1 && !VerifCambioLotti()) {
        pvRit = vb::Variant("CambioLotti");
        ImpostaElemento(pvArray, 1, vb::Variant("CambioLotti"));
        return kSi;
      }
      const std::string testo = txt(30).Text();
      const bool boxVuoto = Fc().Vuoto(testo, vb::vbDate, 1, false);
      const vb::Variant digitata = Fc().ValData(testo, true);
      bool cambiata = modo == 2;
      if (!cambiata) {
        const vb::Variant memorizzata = barra.OggDati().LeggiCampoNull(barra.ChiaveDati(), "DataRif");
        if (memorizzata.IsNull() || memorizzata.IsEmpty()) {
          cambiata = !boxVuoto;
        } else if (boxVuoto) {
          cambiata = true;
        } else {
          const vb::Variant prima = Fc().ValData(memorizzata, true);
          cambiata = prima.IsEmpty() || digitata.IsEmpty() ||
                     prima.ToDate().Serial() != digitata.ToDate().Serial();
        }
      }
      if (cambiata && !digitata.IsEmpty() && digitata.ToDate().Serial() > G().gtDataLavoro.Serial()) {
        const std::string m = "Data superiore alla data odierna";
        Avviso(m);
        if (Esiste("staMessaggi") && C("staMessaggi").HaElem("Messaggio")) {
          C("staMessaggi").Elem("Messaggio").Caption = m;
          C("staMessaggi").ElementoCambiato();
        }
        pvRit = vb::Variant("DataRif");
        return vb::Variant("DataRif");
      }
      return kNo;
    }

    case 7: {
      if (modo == 0) return kNo;
      const bool numVuoto = Fc().Vuoto(txt(60).Text(), vb::vbString, 1, false);
      const bool dataVuota = Fc().Vuoto(txt(70).Text(), vb::vbDate, 1, false);
      if (numVuoto != dataVuota) {
        Avviso("Compilare sia il numero che la data del documento oppure nessuno dei due");
        pvRit = kSi;
        return kSi;
      }
      const bool cambiato = !Uguale(txt(70).Text(), msDataDocPrec) || !Uguale(txt(60).Text(), msNumDocPrec) ||
                            ((!numVuoto || !dataVuota) && !Uguale(txt(50).Text(), msPreDocPrec));
      if (cambiato && NonValeNumDoc()) {
        pvRit = kSi;
        return kSi;
      }
      return kNo;
    }

    case 12: {
      auto rifiuta = [&](const std::string& m) {
        Avviso(m);
        pvRit = kSi;
        return kSi;
      };
      if (Uguale(txt(110).Text(), "E")) return rifiuta("Impossibile Salvare Ddt con stato " + lab(110).Caption());
      // Another user printed or evaded the DDT since it was shown: what is
      // on screen can no longer be written over it.
      const vb::Variant memorizzato = barra.OggDati().LeggiCampoNull(barra.ChiaveDati(), "Stato");
      if (!memorizzato.IsNull() && !memorizzato.IsEmpty() && !Uguale(memorizzato.ToString(), txt(110).Text()) &&
          !mbInRipEvasione) {
        Avviso("Cambiato lo stato, impossibile salvare");
        const vb::Variant msgAnn = barra.LeggiVarBarra("MsgAnn", vb::vbString);
        barra.ScriviVarBarra("MsgAnn", vb::vbString, vb::Variant("N"));
        try {
          ButtonComando("Annulla");
        } catch (...) {
          barra.ScriviVarBarra("MsgAnn", vb::vbString, msgAnn);
          throw;
        }
        barra.ScriviVarBarra("MsgAnn", vb::vbString, msgAnn);
        pvRit = kSi;
        return kSi;
      }
      if (Uguale(msDdtInterno, "S")) {
        if (Fc().Vuoto(txt(88).Text(), vb::vbString, 1, false))
          return rifiuta("Per i DDT interni il magazzino di destinazione è obbligatorio");
        if (Uguale(txt(88).Text(), txt(290).Text()))
          return rifiuta("Per i DDT interni il magazzino di destinazione deve essere diverso da quello di origine");
      }
      if (txt(10).Text() == "0") RicUltNum(-1);
      if (modo != 2 && FunVarie::ArrotConfronta(mdPercRitAccPrec, Fc().ValDouble(txt(275).Text(), true), -8) != 0) {
        AggPiede(true);
        MostraRitAcc();
      }
      const std::string agente1 = vb::Trim(txt(480).Text()), agente2 = vb::Trim(txt(500).Text());
      if (!agente1.empty() && !agente2.empty() && Uguale(agente1, agente2))
        return rifiuta("ATTENZIONE: Nel quadro '(2)Altri Dati', i codici Agente 1 e 2 sono UGUALI");
      return kNo;
    }

    case 16:
      return Cancella(pvRit);

    case 25:
      miNumTentIns = 1;
      return kNo;

    case 27:
      ChiediCambi();
      if (modo == 1) {
        // The header row, its lines and expenses are written together or
        // not at all: the after hook of the save ends this transaction.
        utilprg::TransInizio(0, -1, nullptr, -1, "");
        mbTransSalva = true;
        barra.SetTransPropria(0);
      }
      return kNo;

    default:
      return kNo;
  }
}

// What the save of a stored DDT carries to its lines, asked where the user
// has a choice.
void frmDdtTest::ChiediCambi() {
  const std::string riga2 = "Aggiorno righe di dettaglio corrispondenti";

  mbAggIvaRighe = false;
  const std::string iva = txt(270).Text();
  if (!Uguale(iva, msIvaPrec) && !Fc().Vuoto(iva, vb::vbString, 1, false))
    mbAggIvaRighe = Domanda("Modificato codice Iva", riga2);

  mbAggScoCliRighe = false;
  mbAggScoPagRighe = false;
  bool pagCambiato = false;
  std::string suffisso;
  if (!Uguale(txt(235).Text(), msScoPagSuDettPrec)) {
    pagCambiato = true;
    suffisso = " o Flag Sconto pagamento";
  } else if (Esiste("che", 235) && C("che", 235).Value() == 1) {
    pagCambiato = !Uguale(txt(230).Text(), msScontoPagPrec);
    if (pagCambiato) suffisso = " o Sconto pagamento";
  }
  const bool cliCambiato = !Uguale(txt(240).Text(), msScontoCliPrec);
  if (cliCambiato || pagCambiato) {
    if (Domanda("Modificato Sconto Cliente" + suffisso, riga2)) {
      mbAggScoCliRighe = cliCambiato;
      mbAggScoPagRighe = pagCambiato;
    }
  }

  mbAggContrattoRighe = false;
  if (!Uguale(txt(1400).Text(), msContrattoPrec)) mbAggContrattoRighe = Domanda("Modificato Contratto", riga2);

  miAggProvv1Righe = 0;
  miAggProvv2Righe = 0;
  const std::string tipo1 = txt(470).Text(), tipo2 = txt(515).Text();
  if (NeANeN(tipo1) || NeANeN(tipo2)) {
    auto chiedi = [] {
      return static_cast<int16_t>(Avviso("Modificato Provvigione",
                                         "Aggiorno tutte le righe di dettaglio, o solo quelle con provvigione uguale",
                                         "&Tutte", vb::Variant("&Uguali")));
    };
    if (NeANeN(tipo1) && Fc().ValDouble(txt(490).Text(), true) != Fc().ValDouble(msPercProvv1Prec, true))
      miAggProvv1Righe = chiedi();
    if (NeANeN(tipo2) && Fc().ValDouble(txt(510).Text(), true) != Fc().ValDouble(msPercProvv2Prec, true))
      miAggProvv2Righe = miAggProvv1Righe < 1 ? chiedi() : miAggProvv1Righe;
  }

  const bool clienteCambiato = !Uguale(txt(80).Text(), msClientePrec);
  const bool spese = !Uguale(txt(220).Text(), msPagamentoPrec) || clienteCambiato ||
                     !Uguale(txt(400).Text(), msMonetaPrec) || !Uguale(msSegnoDoc, msSegnoDocPrec);
  mbVerSpesePag = spese;
  mbVerSpesePerc = spese;
  mbAggSpesaCli = clienteCambiato;
  mbPesoCambiato = FunVarie::ArrotConfronta(mdPesoPrec, Fc().ValDouble(txt(1210).Text(), true), -8) != 0;
}

bool frmDdtTest::InVar() {
  auto& barra = ogComPag();
  return !(barra.oiFlagOpe() == 1 && barra.VarDati(-1).ToString().empty());
}

// May the warehouse data of the DDT be written? Not when they changed and
// the DDT already has lot traceability rows, which name the old stores.
bool frmDdtTest::VerifCambioLotti() {
  bool risposta = true;
  try {
    if (msLottoTipOpe.empty()) return true;
    const bool cambiati = !Uguale(txt(290).Text(), msMagazzProvPrec) ||
                          (Uguale(msDdtInterno, "S") && !Uguale(txt(88).Text(), msMagazzDestPrec)) ||
                          !Uguale(msMagCausale, msMagCausalePrec);
    if (!cambiati) return true;
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *G().goDbAzienda, G().gsConnAzienda, "",
        "Select * from DdtRintraccia Where anno = " + Fc().ValoreSql(Fc().ValInt(txt(20).Text()), vb::vbInteger) +
            " And numreg = " + Fc().ValoreSql(Fc().ValLong(txt(10).Text()), vb::vbLong),
        false, 4);
    if (!rs.NessunRecord(k)) {
      Avviso(
          "Impossibile cambiare magazzino o causale movimento di magazzino in un ddt con registrazioni di "
          "tracciabilità");
      risposta = false;
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    // Not knowing whether lot rows exist is no permission to move them.
    frmMsgCom::MsgErrfrm(e);
    risposta = false;
  }
  return risposta;
}
