// ddt-msg: the program's message window on the desktop, to check its look by
// eye.
//   ddt-msg [opzioni] "<testo>" [bottone1 [bottone2 [bottone3]]]
// shows the text with the buttons given ("&Ok" when none; "&" marks the
// access key, "\n" in the text starts a new line) and prints the number of
// the button pressed: 1 to 3, or 0 when the window was closed without one.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/qt/BackendQt.h"
#include "platform/ui/Form.h"

namespace {

const char* const kUso =
    "Uso: ddt-msg [opzioni] \"<testo>\" [bottone1 [bottone2 [bottone3]]]\n"
    "Mostra la finestra dei messaggi e stampa il numero del bottone premuto\n"
    "(0 se la finestra e' stata chiusa senza bottone).\n"
    "  --titolo <testo>      titolo della finestra\n"
    "  --larghezza <n>       larghezza massima in percentuale dello schermo (80)\n"
    "  --margine <twips>     spazio ai lati del testo (600)\n"
    "  --predefinito <n>     bottone che ha il fuoco (1)\n"
    "  --carattere <punti>   dimensione del carattere del testo\n"
    "  --largbottoni <twips> larghezza di ogni bottone\n"
    "  --scorri              testo sempre nella casella scorrevole\n"
    "  --suona <BeepCome>    suona il segnale, come la chiave \"BeepCome\" (\"\" il segnale\n"
    "                        del desktop, \"800;150\", \"-1000;100\", un file .wav)\n"
    "  --errore <numero>     mostra il testo come errore: \"Errore(numero): testo\"\n"
    "  --schermata <file>    salva l'immagine della finestra in un PNG e la chiude (0)\n";

// "\n" typed on the command line as two characters becomes the line break
// the program's messages use.
std::string ACapo(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// A whole number given to an option; a clear message otherwise.
int Intero(const std::string& opzione, const std::string& valore) {
  size_t fine = 0;
  long n = 0;
  try {
    n = std::stol(valore, &fine);
  } catch (const std::exception&) {
    fine = 0;
  }
  if (valore.empty() || fine != valore.size() || n < -32768 || n > 32767)
    throw std::invalid_argument(opzione + " vuole un numero intero, non \"" + valore + "\"");
  return static_cast<int>(n);
}

// A desktop to open windows on: an X or Wayland display, or a platform
// chosen by hand (QT_QPA_PLATFORM=offscreen needs none).
bool DesktopPresente() {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* s = std::getenv(v);
    if (s && *s) return true;
  }
  return false;
}

// Takes the picture once the window is up, then closes it: a timer on a
// hidden form runs while the message window waits.
class Fotografo : public ui::Form {
 public:
  explicit Fotografo(std::string file) : Form("frmFotografo"), file_(std::move(file)) {
    auto& t = Crea(ui::Tipo::Timer, "timFoto");
    t.SetInterval(300);
  }
  bool riuscita = false;

  void Timer(ui::Controllo& t) override {
    frmMsgCom* m = frmMsgCom::Istanza();
    if (!m || !m->Visible()) return;
    t.SetEnabled(false);
    riuscita = ui::SalvaSchermata(*m, file_);
    m->Hide();
  }

 private:
  std::string file_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> liberi;
  vb::Variant titolo = vb::Missing, fontSize = vb::Missing, largBottoni = vb::Missing, errore = vb::Missing;
  int larghezza = 80, margine = 600, predefinito = 1;
  bool scorri = false, suona = false;
  std::string schermata;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string a = argv[i];
      auto valore = [&]() -> std::string {
        if (i + 1 >= argc) throw std::invalid_argument("manca il valore di " + a);
        return argv[++i];
      };
      if (a == "--help" || a == "-h") {
        std::cout << kUso;
        return 0;
      } else if (a == "--titolo") {
        titolo = valore();
      } else if (a == "--larghezza") {
        larghezza = Intero(a, valore());
      } else if (a == "--margine") {
        margine = Intero(a, valore());
      } else if (a == "--predefinito") {
        predefinito = Intero(a, valore());
      } else if (a == "--carattere") {
        const std::string v = valore();
        char* fine = nullptr;
        const double punti = std::strtod(v.c_str(), &fine);
        if (v.empty() || *fine != '\0' || !(punti > 0 && punti < 1000))
          throw std::invalid_argument(a + " vuole una dimensione in punti, non \"" + v + "\"");
        fontSize = punti;
      } else if (a == "--largbottoni") {
        largBottoni = Intero(a, valore());
      } else if (a == "--scorri") {
        scorri = true;
      } else if (a == "--suona") {
        G().gsBeepCome = valore();
        suona = true;
      } else if (a == "--errore") {
        errore = Intero(a, valore());
      } else if (a == "--schermata") {
        schermata = valore();
      } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
        throw std::invalid_argument("opzione sconosciuta " + a);
      } else {
        liberi.push_back(a);
      }
    }
    if (liberi.empty() || liberi.size() > 4) throw std::invalid_argument("servono il testo e al piu' tre bottoni");
  } catch (const std::exception& e) {
    std::cerr << "ddt-msg: " << e.what() << "\n" << kUso;
    return 2;
  }

  if (!DesktopPresente() && schermata.empty()) {
    std::cerr << "ddt-msg: serve un desktop (DISPLAY o WAYLAND_DISPLAY non impostati).\n"
                 "         Senza schermo: xvfb-run -a ddt-msg ..., oppure QT_QPA_PLATFORM=offscreen\n"
                 "         con --schermata <file.png>.\n";
    return 1;
  }
  // A picture needs no screen: without one the window is drawn off screen.
  if (!DesktopPresente()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (ui::AvviaQt(argc, argv) != 0) {
    std::cerr << "ddt-msg: impossibile aprire le finestre\n";
    return 1;
  }
  vb::ImpostaTitoloApplicazione("Ddt");
  // Design size: the message window as the program shows it unscaled.
  G().gdRisVidGenerale = -1;
  G().gdRisVidMsgCom = -1;

  std::unique_ptr<Fotografo> fotografo;
  if (!schermata.empty()) {
    fotografo = std::make_unique<Fotografo>(schermata);
    fotografo->Load();
  }

  int risposta = 0;
  try {
    const std::string testo = ACapo(liberi[0]);
    if (!errore.IsMissing()) {
      risposta = frmMsgCom::MsgErrfrm(testo, errore, "", "", titolo);
    } else {
      const std::string com1 = liberi.size() > 1 ? liberi[1] : "&Ok";
      const vb::Variant com2 = liberi.size() > 2 ? vb::Variant(liberi[2]) : vb::Variant(vb::Missing);
      const vb::Variant com3 = liberi.size() > 3 ? vb::Variant(liberi[3]) : vb::Variant(vb::Missing);
      risposta = frmMsgCom::msgCom(testo, com1, com2, com3, titolo, larghezza, suona, margine, fontSize,
                                   predefinito, largBottoni, scorri);
    }
  } catch (const vb::Errore& e) {
    std::cerr << "ddt-msg: Errore(" << e.Number() << "): " << e.Description() << "\n";
    return 1;
  }
  if (fotografo) {
    const bool ok = fotografo->riuscita;
    fotografo->Unload();
    if (!ok) {
      std::cerr << "ddt-msg: immagine non salvata in " << schermata << "\n";
      return 1;
    }
  }
  std::cout << risposta << std::endl;
  return 0;
}
