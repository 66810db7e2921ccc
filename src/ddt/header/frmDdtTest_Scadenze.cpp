// The addressee's payments due by the DDT's date and still unpaid: how long
// the oldest is overdue, how many, how much, on the page "(5) Nota Cliente",
// and the red banner of page 1 while a new DDT is written for an addressee
// late beyond what the document type allows.
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"

void frmDdtTest::MostraScad(bool pbMostraScad) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const int modo = HaBarra() ? ogComPag().oiFlagOpe() : 0;
  if (modo != 2 && pbMostraScad) {
    lab(87).SetVisible(false);
    return;
  }
  ScadenzeVis(false);
  ui::Controllo &data = txt(30), &conto = txt(80), &tipoDoc = txt(40);
  for (const ui::Controllo* c : {&data, &conto, &tipoDoc}) {
    if (fc.Vuoto(c->Text(), vb::vbString)) return;
    if (c->BackColor() == G().glColoreErrore) return;
  }
  const std::string tipo = txt(86).Text();
  if (tipo != "3" && tipo != "2") return;

  dati::GestRecordset rs;
  std::string k;
  try {
    std::string gruppo, mastro, numero;
    AziendaUtil::DividiConto(conto.Text(), gruppo, mastro, numero);
    const std::string sql =
        "Select Min(Scadenze.DataScad) AS MaxDiDataScad, Count(*) AS Quanti, "
        "Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadLire,0)) AS ImportoScadLireEnt, "
        "Sum(IIf(Scadenze.EntrataUscita='E',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroEnt, "
        "Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadLire,0)) AS ImportoScadLireUsc, "
        "Sum(IIf(Scadenze.EntrataUscita='U',Scadenze.ImportoScadEuro,0)) AS ImportoScadEuroUsc from Scadenze "
        "Where GruppoScad = " +
        fc.ValoreSql(gruppo, vb::vbString) + " And MastroScad = " + fc.ValoreSql(mastro, vb::vbString) +
        " And ContoScad = " + fc.ValoreSql(numero, vb::vbString) + " And Tipo = " + fc.ValoreSql(tipo, vb::vbString) +
        " And DataScad <= " + fc.ValoreSql(data.Text(), vb::vbDate) +
        " And (NumRegPag Is null OR NumRegPag=0) And DataRegPag Is null GROUP BY Scadenze.GruppoScad, "
        "Scadenze.MastroScad, Scadenze.ContoScad, Scadenze.Tipo";
    k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    // With no row every field reads as empty, and the count as 0.
    const long quanti = rs.NessunRecord(k) ? 0 : rs.LeggiCampo(k, "Quanti", vb::vbLong).ToLong();
    if (quanti > 0) {
      const vb::Date prima = rs.LeggiCampoNull(k, "MaxDiDataScad").ToDate();
      const vb::Date ddt = fc.ValData(data.Text()).ToDate();
      const long giorni = prima.Diff("d", ddt);
      if (pbMostraScad && mlGgScadCli > 0 && giorni > mlGgScadCli) ScadenzeVis(true);
      if (giorni < 1) {
        ScadenzeVis(false);
      } else {
        auto importo = [&](const char* nome) { return rs.LeggiCampo(k, nome, vb::vbCurrency).ToCurrency(); };
        vb::Currency lire = importo("ImportoScadLireEnt") - importo("ImportoScadLireUsc");
        vb::Currency euro = importo("ImportoScadEuroEnt") - importo("ImportoScadEuroUsc");
        if (tipo != "3") {
          lire = -lire;
          euro = -euro;
        }
        lab(1610).SetCaption(std::to_string(giorni));
        lab(1620).SetCaption(std::to_string(quanti));
        lab(1630).SetCaption(fc.MascheraNum(lire, G().giNumDecLire, {}, false, "#,###", 0, "", "^"));
        lab(1640).SetCaption(fc.MascheraNum(euro, G().giNumDecEuro, {}, false, "#,##^", 0, "", "0"));
      }
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  if (!k.empty()) {
    try {
      rs.ChiudiRecordset(k);
    } catch (...) {
    }
  }
}

void frmDdtTest::ScadenzeVis(bool pbVis) {
  if (pbVis) {
    lab(87).SetCaption("Pagamenti scaduti da +" + (mlGgScadCli ? std::to_string(mlGgScadCli) : std::string()) +
                       " giorni");
    lab(87).SetVisible(true);
  } else {
    lab(87).SetVisible(false);
    for (int n : {1610, 1620, 1630, 1640}) lab(n).SetCaption("");
  }
}
