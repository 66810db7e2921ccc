#include "print/AziendaUtilStampe.h"

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/IniFile.h"
#include "platform/Testo.h"
#include "platform/stampa/Stampanti.h"

namespace AziendaUtilStampe {

int16_t giStampanteImp = 0;

stampa::Stampante& Printer() {
  static stampa::Stampante p;
  return p;
}

bool ImpostaStampanteStampa(const stampa::OpzioniStampa& pOpz, bool pbMsg) {
  const std::string& nome = pOpz.osNomeStampante;
  if (nome.empty() || vb::UgualeTesto(nome, "PDFCreator") || vb::UgualeTesto(nome, "PDF995")) {
    Printer().DeviceName = nome;
    Printer().Port = pOpz.NomePorta;
    return true;
  }
  std::string predefinita;
  for (const std::string& s : stampa::NomiStampanti(predefinita)) {
    if (vb::UgualeTesto(s, nome)) {
      Printer().DeviceName = s;
      Printer().Port = pOpz.NomePorta;
      giStampanteImp = 1;
      return true;
    }
  }
  if (pbMsg) frmMsgCom::msgCom("La stampante " + nome + " non è installata", "&Ok");
  return false;
}

void LeggiStampanteDef(std::string& psNome, std::string& psMancante, std::string& psPorta) {
  std::string predefinita;
  stampa::NomiStampanti(predefinita);
  psNome = predefinita;
  psMancante.clear();
  psPorta.clear();
}

void RipristinaStampanteDef(std::string& psNome, std::string& psMancante, std::string& psPorta) {
  LeggiStampanteDef(psNome, psMancante, psPorta);
  Printer().DeviceName = psNome;
  Printer().Port = psPorta;
}

bool VerifAltraSessione(const std::string&, long) { return false; }

void MsgStampanteDefMancante(const std::string& psChiave, const std::string& psNome, const std::string& psSezione) {
  frmMsgCom::msgCom("La stampante predefinita (" + psNome + ") non è disponibile", "&Ok");
  if (!G().gsFileIni.empty() && !psSezione.empty())
    vb::ScriviProfilo(G().gsFileIni, psSezione, psChiave, std::nullopt);
}

std::string NormNomeStampante(const std::string& psNome) { return vb::Trim(psNome); }

}  // namespace AziendaUtilStampe
