// The two numbers of a DDT: the reference number, the highest of the year
// plus one (two users saving at once are parted by the duplicate key and
// the retry of the after hook), and the printed document number typed by
// hand, checked against the numerator and the other DDTs.
#include <string>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

int Avviso(const std::string& testo, const std::string& b1 = "&Ok", const vb::Variant& b2 = vb::Missing) {
  return frmMsgCom::msgCom(testo, b1, b2, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
}

// The prefix condition: an empty prefix is stored as Null or as "", and
// both are the same no-prefix.
std::string CondPrefisso(const std::string& colonna, const std::string& prefisso) {
  if (Fc().Vuoto(prefisso, vb::vbString, 1, false))
    return "(" + colonna + " Is Null Or " + colonna + " = " + Fc().ValoreSql(std::string(), vb::vbString) + ")";
  return colonna + " = " + Fc().ValoreSql(prefisso, vb::vbString);
}

}  // namespace

int32_t frmDdtTest::RicUltNum(int16_t pbImpTxt) {
  const std::string anno = vb::Trim(txt(20).Text());
  const vb::Variant v(anno);
  if (anno.empty() || !v.IsNumeric()) vb::Solleva(13, "Anno non valido: \"" + anno + "\"");
  const int32_t numero = ComLock::CalcProssNum(Fc().ValInt(anno), G().gsTabTest, "numrif", 0, -1);
  if (pbImpTxt != 0) txt(10).SetText(std::to_string(numero));
  return numero;
}

bool frmDdtTest::NonValeNumDoc() {
  bool risposta = true;
  dati::GestRecordset rs;
  try {
    const std::string prefisso = txt(50).Text();
    const std::string numDoc = txt(60).Text();
    const std::string dataDoc = txt(70).Text();
    if (Fc().Vuoto(numDoc, vb::vbString, 1, false) && Fc().Vuoto(dataDoc, vb::vbDate, 1, false)) return false;
    const vb::Variant data = Fc().ValData(dataDoc, true);
    if (data.IsEmpty()) vb::Solleva(13, "Data documento non valida: \"" + dataDoc + "\"");
    const int16_t annoDoc = static_cast<int16_t>(data.ToDate().Year());
    const int32_t numero = Fc().ValLong(numDoc, true);

    if (!mbNonContrSucc) {
      const std::string k = rs.ApriRecordset(
          *G().goDbAzienda, G().gsConnAzienda, "",
          "Select * from " + G().gsTabNumer + " Where anno = " + Fc().ValoreSql(annoDoc, vb::vbInteger) + " And " +
              CondPrefisso("Prefisso", prefisso),
          false, 4);
      if (rs.NessunRecord(k)) {
        rs.ChiudiRecordset(k);
        Avviso("Attenzione: Numeratore non ancora creato per questo prefisso e nell'anno di stampa richiesto");
        return true;
      }
      const vb::Variant ultimo = rs.LeggiCampo(k, "Numero");
      const vb::Variant ultimaData = rs.LeggiCampoNull(k, "Data");
      rs.ChiudiRecordset(k);
      const vb::Variant limite = Fc().ValData(ultimaData, true);
      const bool oltreData = !limite.IsEmpty() && data.ToDate().Serial() > limite.ToDate().Serial();
      if (numero > Fc().ValLong(ultimo, true) || oltreData) {
        const std::string testoData =
            ultimaData.IsNull() || ultimaData.IsEmpty() ? std::string() : ultimaData.ToDate().ToString();
        Avviso("Attenzione: Dati successivi a quelli contenuti nel numeratore:\r\nNumero: " +
               vb::Trim(ultimo.ToString()) + "\r\nData: " + testoData);
        return true;
      }
    }

    const std::string k = rs.ApriRecordset(
        *G().goDbAzienda, G().gsConnAzienda, "",
        "Select count(*) as DocUguale from " + G().gsTabTest + " Where " + CondPrefisso("PreDoc", prefisso) +
            " and NumDoc = " + Fc().ValoreSql(numero, vb::vbLong) +
            " and year(DataDoc) = " + Fc().ValoreSql(annoDoc, vb::vbInteger) +
            " and (Anno <> " + Fc().ValoreSql(Fc().ValInt(txt(20).Text()), vb::vbInteger) +
            " or NumRif <> " + Fc().ValoreSql(Fc().ValLong(txt(10).Text()), vb::vbLong) + ")",
        false, 4);
    const long uguali = rs.NessunRecord(k) ? 0 : rs.LeggiCampo(k, "DocUguale").ToLong();
    rs.ChiudiRecordset(k);
    if (uguali > 0) {
      if (Avviso("Attenzione: Esiste un altro documento con stesso prefisso, numero e anno documento", "Conferma",
                 vb::Variant("Annulla")) == 1)
        risposta = false;
    } else {
      risposta = false;
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  return risposta;
}
