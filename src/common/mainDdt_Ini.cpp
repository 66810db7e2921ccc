#include <exception>

#include "common/Globali.h"
#include "common/mainDdt.h"
#include "platform/FunzioniComuni.h"
#include "platform/IniFile.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"

namespace mainDdt {

vb::Variant ScriviIni(const std::string& psSezione, const std::string& psChiave,
                      const std::string& psValore, const vb::Variant& pvMsg,
                      const vb::Variant& pvCreaSeManca, int piQualeIni, bool pbCancSez,
                      bool pbCancChiave, const vb::Variant& pvFile) {
  const bool msg = pvMsg.IsMissing() ? false : pvMsg.ToBool();
  const bool creaSeManca = pvCreaSeManca.IsMissing() ? true : pvCreaSeManca.ToBool();
  const std::string crlf = "\r\n";
  const std::string testo = "Aggiornamento del valore : " + psValore + crlf +
                            "nella sezione : " + psSezione + crlf + "parametro : " + psChiave +
                            crlf + "NON RIUSCITO." + crlf;
  const auto& fc = vb::FunzioniComuni::Istanza();
  const Globali& g = G();

  std::string file;
  if (!pvFile.IsMissing()) {
    file = pvFile.ToString();
  } else {
    std::string letto;
    if (fc.LeggiIniFile(psSezione, psChiave, vb::Variant(""), letto, g.gsFileIni) != 0) {
      file = g.gsFileIni;
    } else if (!g.gsFileIniDb.empty() && !vb::UgualeTesto(g.gsFileIniDb, g.gsFileIni) &&
               fc.LeggiIniFile(psSezione, psChiave, vb::Variant(""), letto, g.gsFileIniDb) > 0) {
      file = g.gsFileIniDb;
    } else if (creaSeManca) {
      file = piQualeIni >= 2 && !g.gsFileIniDb.empty() ? g.gsFileIniDb : g.gsFileIni;
    } else {
      if (msg) vb::MsgBox(testo + "durante la ricerca");
      return false;
    }
  }

  try {
    bool ok;
    if (pbCancSez) {
      ok = vb::ScriviProfilo(file, psSezione, std::nullopt, std::nullopt);
    } else if (pbCancChiave) {
      ok = vb::ScriviProfilo(file, psSezione, psChiave, std::nullopt);
    } else {
      ok = vb::ScriviProfilo(file, psSezione, psChiave, psValore);
    }
    if (!ok) {
      if (msg) vb::MsgBox(testo + "durante l' aggiornamento(1)");
      return false;
    }
    return true;
  } catch (const std::exception&) {
    if (msg) vb::MsgBox(testo + "durante l' aggiornamento(2)");
    return false;
  }
}

}  // namespace mainDdt
