// The exemption text of a customer's declarations of intent.
#include <cmath>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/DichIntenti.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"

namespace DichIntenti {

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

const std::string kIniRiga = "§RigIni§";
const std::string kFinRiga = "§RigFin§";
const std::string kAcapo = "\r\n";

std::string Lit(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }

bool Vuoto(const vb::Variant& v) { return FC().Vuoto(v); }

// "####": the digits of a whole number, nothing for 0 or an empty value.
std::string Cifre(const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return {};
  const double d = FC().ValDouble(v);
  const long long n = std::llround(d);
  return n == 0 ? std::string() : std::to_string(n);
}

// "dd/mm/yyyy", nothing for an empty date.
std::string Data(const vb::Variant& v) {
  vb::Variant d = FC().ValData(v);
  return d.IsDate() ? d.ToDate().ToDateText() : std::string();
}

std::string Anno(const vb::Variant& v) {
  vb::Variant d = FC().ValData(v);
  return d.IsDate() ? std::to_string(d.ToDate().Year()) : std::string();
}

std::string TestoDi(const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return {};
  if (const std::string* s = v.StringPtr()) return *s;
  return v.ToString();
}

std::string Sostituisci(const std::string& psTesto, const std::string& psCerca, const std::string& psCon) {
  return FC().Sostituisci(1, psTesto, psCerca, psCon, 1);
}

// A customer text of the form marker + text + marker.
bool Racchiuso(const std::string& psTesto, const std::string& psSegno) {
  return vb::Len(psTesto) >= 2 && vb::Left(psTesto, 1) == psSegno && vb::Right(psTesto, 1) == psSegno;
}

std::string Interno(const std::string& psTesto) { return vb::Mid(psTesto, 2, vb::Len(psTesto) - 2); }

std::string TemplatePredefinito(const std::string& psProtRicezione) {
  const std::string esenzione = "Oper. non imponib.ai sensi ART.8/C DPR 633/72 e succ.mod.";
  if (!FC().Vuoto(vb::Variant(psProtRicezione)))
    return esenzione + kAcapo + "Protocollo ricezione agenzia delle entrate: §ProtRicez§";
  return esenzione + kAcapo + kIniRiga + "Vostra dich. nr.§NrDich§ del  §DtDich§ - Nostra Reg. §NrRic§ del §DtRic§" +
         "§M-UL§" + kAcapo + "§/M-UL§" + kFinRiga;
}

}  // namespace

std::string GestBloccoCond(const std::string& psTesto, const std::string& psTag, bool pbTieni) {
  const std::string apre = "§" + psTag + "§";
  const std::string chiude = "§/" + psTag + "§";
  const long lApre = vb::Len(apre), lChiude = vb::Len(chiude);
  std::string t = psTesto;
  for (;;) {
    const long a = vb::InStr(1, t, apre, vb::vbTextCompare);
    if (a == 0) break;
    // A closing marker counts only after its opening marker.
    const long c = vb::InStr(a + lApre, t, chiude, vb::vbTextCompare);
    if (c == 0) break;
    t = vb::Left(t, a - 1) + (pbTieni ? vb::Mid(t, a + lApre, c - a - lApre) : std::string()) +
        vb::Mid(t, c + lChiude);
  }
  return t;
}

std::string CompilaTestoDich(const std::string& psTesto, dati::GestRecordset& poRs, const std::string& psKeyRs,
                             bool pbSomma, double& pdImporto, double pdImpIniziale) {
  const long n = poRs.NumRecord(psKeyRs);
  const bool diversi = n != 1;
  std::string risultato;
  if (pbSomma) pdImporto = pdImpIniziale;
  if (n <= 0) return risultato;
  poRs.PrimoRec(psKeyRs);
  for (; !poRs.FineRec(psKeyRs); poRs.ProssimoRec(psKeyRs)) {
    const long p = poRs.PosRecord(psKeyRs) + 1;
    std::string t = psTesto;
    t = GestBloccoCond(t, "M1", p == 1 && diversi);
    t = GestBloccoCond(t, "MUL", p == n && diversi);
    t = GestBloccoCond(t, "M2", p > 1 && diversi);
    t = GestBloccoCond(t, "M-UL", p < n && diversi);
    const int16_t rif = FC().ValInt(poRs.LeggiCampo(psKeyRs, "RifComunicIntenti", vb::vbInteger));
    t = GestBloccoCond(t, "Rif1", rif == 1);
    t = GestBloccoCond(t, "Rif2", rif == 2);
    t = GestBloccoCond(t, "Rif3", rif == 3);
    auto campo = [&](const char* nome) { return poRs.LeggiCampoNull(psKeyRs, nome); };
    t = Sostituisci(t, "§Codice§", Cifre(campo("PdcDicIntenti")));
    t = Sostituisci(t, "§Descr§", TestoDi(campo("Descrizione")));
    t = Sostituisci(t, "§ProtRicez§", TestoDi(campo("ProtRicezione")));
    t = Sostituisci(t, "§AnnoRicAgEn§", Anno(campo("DataRicAE")));
    t = Sostituisci(t, "§DtRicAgEn§", Data(campo("DataRicAE")));
    t = Sostituisci(t, "§NrRic§", Cifre(campo("NrPrgIntenti")));
    t = Sostituisci(t, "§DtRic§", Data(campo("DataRicComIntenti")));
    t = Sostituisci(t, "§NrDich§", Cifre(campo("NrDichIntenti")));
    t = Sostituisci(t, "§DtDich§", Data(campo("DataDichIntenti")));
    t = Sostituisci(t, "§Importo§",
                    FC().MascheraNum(poRs.LeggiCampo(psKeyRs, "ImportoDichIntenti", vb::vbDouble),
                                     G().giNumDecEuro, {}, false, "#,##0", 0, "", "0"));
    t = Sostituisci(t, "§DataDa§", Data(campo("DataDAIntenti")));
    t = Sostituisci(t, "§DataA§", Data(campo("DataAIntenti")));
    risultato += t;
    if (pbSomma) pdImporto += FC().ValDouble(poRs.LeggiCampo(psKeyRs, "ImportoDichIntenti", vb::vbDouble));
  }
  return risultato;
}

vb::Variant TestoDichIntenti(const std::string& psGruppo, const std::string& psMastro, const std::string& psConto,
                             const std::string& psDicIntenti, const std::string& psNomeParTesto,
                             const std::string& psTestoDefault, double& pdImporto, const vb::Variant& pvCodice) {
  pdImporto = 0;
  dati::GestRecordset rs;
  try {
    std::string condizione =
        " Where Gruppo = " + Lit(psGruppo) + " And Mastro = " + Lit(psMastro) + " And Conto = " + Lit(psConto);
    const bool tutte = FC().ValInt(pvCodice) == 0;
    if (!tutte) condizione += " And PdcDicIntenti = " + FC().ValoreSql(pvCodice, vb::vbInteger);
    dati::GestDatabase& db = fiscal::DbAzienda();
    const std::string& conn = G().gsConnAzienda;

    bool tabella = false;
    if (AziendaUtil::EsisteTabella(vb::Variant("PdcDicIntenti"))) {
      const std::string k = rs.ApriRecordset(db, conn, "", "Select * from PdcDicIntenti" + condizione, false, 4);
      tabella = !rs.NessunRecord(k);
      rs.ChiudiRecordset(k);
    }

    if (tabella) {
      const std::string k =
          rs.ApriRecordset(db, conn, "",
                           "Select * from PdcDicIntenti" + condizione + (tutte ? " And Attivo = 'S'" : "") +
                               " order by PdcDicIntenti",
                           false, 4);
      if (rs.NessunRecord(k)) {
        rs.ChiudiRecordset(k);
        return vb::Variant("NO");
      }
      std::string modello;
      if (Racchiuso(psDicIntenti, "§")) {
        modello = Interno(psDicIntenti);
      } else {
        modello = fiscal::LeggiParPers("Fatture", psNomeParTesto, "");
        if (Vuoto(vb::Variant(modello))) modello = psTestoDefault;
        if (Vuoto(vb::Variant(modello))) modello = TemplatePredefinito(TestoDi(rs.LeggiCampoNull(k, "ProtRicezione")));
        const std::string interno = Racchiuso(psDicIntenti, "£") ? Interno(psDicIntenti) : std::string();
        const long p1 = vb::InStr(1, modello, "£");
        const long p2 = p1 > 0 ? vb::InStr(p1 + 1, modello, "£") : 0;
        if (p1 > 0 && p2 > 0) {
          if (interno.empty())
            modello = FC().Sostituisci(modello, "£", "");
          else
            modello = vb::Left(modello, p1 - 1) + interno + vb::Mid(modello, p2 + 1);
        }
      }
      const long righe = rs.NumRecord(k);
      modello = GestBloccoCond(modello, "M0", righe == 1);
      modello = GestBloccoCond(modello, "Mn", righe > 1);

      std::string testo;
      if (vb::InStr(1, modello, kIniRiga, vb::vbTextCompare) == 0) {
        testo = CompilaTestoDich(modello, rs, k, true, pdImporto, 0);
      } else {
        const long lIni = vb::Len(kIniRiga), lFin = vb::Len(kFinRiga);
        std::string resto = modello;
        bool primo = true;
        for (long p = vb::InStr(1, resto, kIniRiga, vb::vbTextCompare); p > 0;
             p = vb::InStr(1, resto, kIniRiga, vb::vbTextCompare)) {
          // The end of a repeated block is looked for after its start.
          const long q = vb::InStr(p + lIni, resto, kFinRiga, vb::vbTextCompare);
          if (q == 0) {
            testo += CompilaTestoDich(resto, rs, k, primo, pdImporto, 0);
            resto.clear();
            break;
          }
          testo += vb::Left(resto, p - 1);
          // The amount is summed over the declarations once, by the first block.
          testo += CompilaTestoDich(vb::Mid(resto, p + lIni, q - p - lIni), rs, k, primo, pdImporto, 0);
          primo = false;
          resto = vb::Mid(resto, q + lFin);
        }
        testo += resto;
      }
      rs.ChiudiRecordset(k);
      return vb::Variant(testo);
    }

    // The single declaration kept on the customer's own row.
    const std::string k = rs.ApriRecordset(
        db, conn, "",
        "Select PianoConti.DicIntenti, PianoConti.NrPrgIntenti,PianoConti.DataRicComIntenti,"
        "PianoConti.NrDichIntenti,PianoConti.DataDichIntenti,PianoConti.ImportoDichIntenti from PianoConti"
        " Where Gruppo = " + Lit(psGruppo) + " And Mastro = " + Lit(psMastro) + " And Conto = " + Lit(psConto),
        false, 4);
    std::string testo = "NO";
    if (!rs.NessunRecord(k)) {
      const std::string dic = TestoDi(rs.LeggiCampoNull(k, "PianoConti.DicIntenti"));
      if (!Vuoto(vb::Variant(dic))) {
        testo = fiscal::LeggiParam("Fat.MessDichIntenti") + " " + dic + " " +
                fiscal::LeggiParPers("Fatture", "DichIntentiDopo", "");
      } else if (FC().ValLong(rs.LeggiCampo(k, "PianoConti.NrPrgIntenti", vb::vbLong)) > 0) {
        testo = fiscal::LeggiParPers("Fatture", "DichIntentiTesto", "");
        testo = Sostituisci(testo, "§NrRic§", Cifre(rs.LeggiCampoNull(k, "PianoConti.NrPrgIntenti")));
        testo = Sostituisci(testo, "§DtRic§", Data(rs.LeggiCampoNull(k, "PianoConti.DataRicComIntenti")));
        testo = Sostituisci(testo, "§NrDich§", Cifre(rs.LeggiCampoNull(k, "PianoConti.NrDichIntenti")));
        testo = Sostituisci(testo, "§DtDich§", Data(rs.LeggiCampoNull(k, "PianoConti.DataDichIntenti")));
        pdImporto = FC().ValDouble(rs.LeggiCampo(k, "PianoConti.ImportoDichIntenti", vb::vbDouble));
      }
    }
    rs.ChiudiRecordset(k);
    return vb::Variant(testo);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return vb::Variant("");
  }
}

vb::Variant TestoDichIntenti(const std::string& psGruppo, const std::string& psMastro, const std::string& psConto,
                             const std::string& psDicIntenti, const std::string& psNomeParTesto,
                             const std::string& psTestoDefault, double& pdImporto, int16_t, const vb::Variant& pvCodice,
                             double& pdOut1, double& pdOut2, double& pdOut3, double) {
  pdOut1 = pdOut2 = pdOut3 = -999;
  return TestoDichIntenti(psGruppo, psMastro, psConto, psDicIntenti, psNomeParTesto, psTestoDefault, pdImporto,
                          pvCodice);
}

}  // namespace DichIntenti
