#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "platform/menu/Protocollo.h"
#include "platform/menu/Mutazioni.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

using menu::Frame;
using menu::ValoreMenu;

namespace {

Frame Giro(const Frame& f) {
  const std::string riga = menu::Codifica(f);
  EXPECT_EQ(riga.back(), '\n');
  EXPECT_EQ(riga.find('\n'), riga.size() - 1) << "one frame, one line";
  Frame g;
  EXPECT_TRUE(menu::Decodifica(riga, g)) << riga;
  return g;
}

}  // namespace

TEST(ProtocolloMenu, EveryTypeOfValueComesBackAsItWent) {
  Frame q;
  q.tipo = 'Q';
  q.numero = 17;
  q.operazione = "ScriviParam";
  q.valori = {ValoreMenu(vb::Variant()), ValoreMenu(vb::Null), ValoreMenu(vb::Missing), ValoreMenu(vb::Variant(true)),
              ValoreMenu(vb::Variant(static_cast<uint8_t>(7))), ValoreMenu(vb::Variant(static_cast<int16_t>(-40))),
              ValoreMenu(vb::Variant(123456L)), ValoreMenu(vb::Variant(0.1)), ValoreMenu(vb::Variant(1.5f)),
              ValoreMenu(vb::Variant(vb::Currency::FromText("1936,27"))),
              ValoreMenu(vb::Variant(vb::Date::FromYmdHms(2026, 12, 10, 8, 30, 0))),
              ValoreMenu(vb::Variant("Personal.Ddt.§DaOrdi")), ValoreMenu(vb::Variant(""))};
  Frame g = Giro(q);
  EXPECT_EQ(g.tipo, 'Q');
  EXPECT_EQ(g.numero, 17);
  EXPECT_EQ(g.operazione, "ScriviParam");
  ASSERT_EQ(g.valori.size(), q.valori.size());
  for (size_t i = 0; i < q.valori.size(); ++i) {
    EXPECT_EQ(g.valori[i].Valore().VarType(), q.valori[i].Valore().VarType()) << i;
    EXPECT_TRUE(g.valori[i] == q.valori[i]) << i;
  }
}

TEST(ProtocolloMenu, TabsLineEndsAndBackslashesInsideTextsAreEscaped) {
  Frame c;
  c.tipo = 'C';
  c.numero = 3;
  c.valori = {ValoreMenu("1"), ValoreMenu("W1"), ValoreMenu("FEInvio"),
              ValoreMenu(std::vector<vb::Variant>{vb::Variant("a\tb"), vb::Variant("riga 1\r\nriga 2"),
                                                  vb::Variant(0L), vb::Variant("C:\\Dati\\n")})};
  const std::string riga = menu::Codifica(c);
  EXPECT_EQ(riga.find('\r'), std::string::npos);
  Frame g = Giro(c);
  ASSERT_EQ(g.valori.size(), 4u);
  EXPECT_TRUE(g.valori[3].IsArray());
  EXPECT_EQ(g.valori[3].Elemento(0).ToString(), "a\tb");
  EXPECT_EQ(g.valori[3].Elemento(1).ToString(), "riga 1\r\nriga 2");
  EXPECT_EQ(g.valori[3].Elemento(2).ToLong(), 0);
  EXPECT_EQ(g.valori[3].Elemento(3).ToString(), "C:\\Dati\\n");
  EXPECT_EQ(g.valori[3].Testo(), "a\tb");
}

TEST(ProtocolloMenu, AnswersCarryAValueOrAnError) {
  Frame r;
  r.tipo = 'R';
  r.numero = 9;
  r.operazione = "OK";
  r.valori = {ValoreMenu(vb::Variant(true))};
  Frame g = Giro(r);
  EXPECT_EQ(g.operazione, "OK");
  EXPECT_TRUE(g.valori.at(0).Valore().ToBool());

  Frame e;
  e.tipo = 'R';
  e.numero = 10;
  e.operazione = "ERR";
  e.errore = 5;
  e.descrizione = "Il menu principale non è in esecuzione";
  g = Giro(e);
  EXPECT_EQ(g.operazione, "ERR");
  EXPECT_EQ(g.errore, 5);
  EXPECT_EQ(g.descrizione, e.descrizione);
}

TEST(ProtocolloMenu, MalformedLinesAreRefused) {
  Frame f;
  EXPECT_FALSE(menu::Decodifica("", f));
  EXPECT_FALSE(menu::Decodifica("X\t1\tOK\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\tuno\tLeggiParam\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\t1\tLeggiParam\tZboh\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\t1\tLeggiParam\tA3\tS1\n", f));  // array shorter than its count
  EXPECT_FALSE(menu::Decodifica("C\t1\tS1\tSW1\n", f));              // a command needs four values
  EXPECT_TRUE(menu::Decodifica("Q\t1\tPercorsoIni\n", f));
}

TEST(ProtocolloMenu, TheSocketLivesInThePrivateRuntimeFolder) {
  const std::string s = menu::PercorsoSocket("42");
  EXPECT_NE(s.find("/velnor-menu-42.sock"), std::string::npos);
  EXPECT_EQ(s.rfind(menu::CartellaRuntime(), 0), 0u);
  EXPECT_EQ(menu::ConnettiSocket("nessun-menu-con-questo-nome"), -1);
}

// ---- what the other side cannot be trusted to send

TEST(ProtocolloMenu, ACountPastTheFieldsOfTheLineIsRefusedWithoutWrappingOrAllocating) {
  for (const char* conteggio : {"A18446744073709551615", "A18446744073709551614", "A9223372036854775808",
                                "A4294967296", "A65537", "A2"}) {
    for (const std::string testa : {"Q\t4\tLeggiParam\t", "R\t4\tOK\t", "C\t4\tS1\tSW1\tSfine\t"}) {
      Frame f;
      bool ok = true;
      EXPECT_NO_THROW(ok = menu::Decodifica(testa + conteggio + "\tS1\n", f)) << testa << conteggio;
      EXPECT_FALSE(ok) << testa << conteggio;
      // What could be read of it, for the error that answers it.
      EXPECT_EQ(f.tipo, '?');
      EXPECT_EQ(f.numero, 4);
      EXPECT_EQ(f.operazione, std::string(1, testa[0]));
      EXPECT_FALSE(f.descrizione.empty());
    }
  }
}

TEST(ProtocolloMenu, AFrameThatBrokeTheRulesIsAnsweredWithAnError) {
  Frame f;
  ASSERT_FALSE(menu::Decodifica("Q\t12\tLeggiParam\tZboh\n", f));
  const Frame r = menu::RispostaNonValida(f);
  EXPECT_EQ(r.tipo, 'R');
  EXPECT_EQ(r.numero, 12);
  EXPECT_EQ(r.operazione, "ERR");
  EXPECT_EQ(r.errore, 5);
  EXPECT_NE(r.descrizione.find("non valido"), std::string::npos) << r.descrizione;
  // Without a readable number it answers number 0, which no call waits for.
  ASSERT_FALSE(menu::Decodifica("\xff\xfe garbage", f));
  EXPECT_EQ(menu::RispostaNonValida(f).numero, 0);
  // A withdrawal carries its number alone.
  ASSERT_TRUE(menu::Decodifica("K\t8\n", f));
  EXPECT_EQ(f.tipo, 'K');
  EXPECT_EQ(f.numero, 8);
}

TEST(ProtocolloMenu, ALineWithoutAnEndStopsGrowingAtTheLimitAndComesAsOneBadFrame) {
  int coppia[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, coppia), 0);
  menu::Canale scrive(coppia[0]), legge(coppia[1]);
  const std::string pezzo(1 << 16, 'x');
  std::string inviato = "Q\t3\tLeggiParam\tS";
  size_t totale = 0;
  // Three times the limit, read as it comes.
  while (totale < 3 * menu::kRigaMassima) {
    std::string dati = inviato.empty() ? pezzo : inviato + pezzo;
    inviato.clear();
    size_t scritto = 0;
    while (scritto < dati.size()) {
      ssize_t n = ::send(scrive.Fd(), dati.data() + scritto, dati.size() - scritto, MSG_NOSIGNAL);
      if (n > 0) scritto += static_cast<size_t>(n);
      ASSERT_TRUE(legge.Leggi());
      EXPECT_FALSE(legge.Prossimo().has_value());
    }
    totale += dati.size();
  }
  const std::string resto = "\nQ\t4\tPercorsoIni\n";
  ASSERT_EQ(::send(scrive.Fd(), resto.data(), resto.size(), MSG_NOSIGNAL), static_cast<ssize_t>(resto.size()));
  ASSERT_TRUE(legge.Leggi());
  auto f = legge.Prossimo();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->tipo, '?');
  EXPECT_EQ(f->numero, 3);
  EXPECT_NE(f->descrizione.find("troppo lunga"), std::string::npos) << f->descrizione;
  f = legge.Prossimo();
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->tipo, 'Q');
  EXPECT_EQ(f->numero, 4);
  EXPECT_EQ(f->operazione, "PercorsoIni");
  // And a frame too long to send is refused here, before it goes.
  Frame lungo;
  lungo.operazione = "ScriviParam";
  lungo.valori = {ValoreMenu(std::string(menu::kRigaMassima + 10, 'y'))};
  EXPECT_EQ(prova::NumeroErrore([&] { scrive.Accoda(lungo); }), 6);
}

TEST(ProtocolloMenu, FuzzTheDecoderNeverRaisesAndWhatItAcceptsComesBackTheSame) {
  prova::Mutatore m(20261211);
  const std::vector<std::string> basi = {
      "Q\t1\tLeggiParam\tSNomeDBAzie", "Q\t2\tAddSeg\tA2\tL40\tS1:W1", "C\t3\tS1\tSW1\tSFEInvio\tA7\tSx\tSx\tL0\tS\tSx\tSx\tL12",
      "R\t4\tOK\tB1", "R\t5\tERR\t5\tIl menu", "K\t6", "R\t7\tOK\tY19362700\tT46000.5\tD0.1"};
  const auto fine = std::chrono::steady_clock::now() + std::chrono::duration<double>(prova::SecondiFuzz(1.0));
  long provati = 0, accettati = 0;
  while (std::chrono::steady_clock::now() < fine || provati < 2000) {
    for (int i = 0; i < 100; ++i, ++provati) {
      std::string riga;
      switch (m.Fino(3)) {
        case 0: riga = m.Guasta(basi[m.Fino(basi.size())]); break;
        case 1: riga = basi[m.Fino(basi.size())].substr(0, 4) + m.Coda(); break;
        default: riga = m.Rumore();
      }
      Frame f;
      bool ok = false;
      ASSERT_NO_THROW(ok = menu::Decodifica(riga, f)) << riga;
      if (!ok) {
        EXPECT_EQ(f.tipo, '?');
        continue;
      }
      ++accettati;
      Frame g;
      const std::string di_nuovo = menu::Codifica(f);
      ASSERT_TRUE(menu::Decodifica(di_nuovo, g)) << riga;
      EXPECT_EQ(menu::Codifica(g), di_nuovo);
    }
  }
  EXPECT_GT(accettati, 0);
}

// ---- the private folder of the sockets

TEST(CartellaRuntime, ThePrivateFolderIsCreatedForThisUserAlone) {
  prova::CartellaTemp dir("runtime");
  const std::string cartella = dir.Percorso("ddt-nuova");
  ::umask(0);
  menu::VerificaCartellaPrivata(cartella);
  ::umask(022);
  struct stat st{};
  ASSERT_EQ(::lstat(cartella.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, ::getuid());
  // Again: the same folder is fine.
  EXPECT_EQ(prova::NumeroErrore([&] { menu::VerificaCartellaPrivata(cartella); }), 0);
}

TEST(CartellaRuntime, AFolderOthersCanWriteOrThatIsNoFolderIsRefused) {
  prova::CartellaTemp dir("runtime");
  struct Caso {
    std::string nome;
    std::function<void(const std::string&)> prepara;
    std::string atteso;
  };
  const std::string buona = dir.Percorso("buona");
  ASSERT_EQ(::mkdir(buona.c_str(), 0700), 0);
  const std::vector<Caso> casi = {
      {"aperta", [](const std::string& p) { ::mkdir(p.c_str(), 0700); ::chmod(p.c_str(), 0777); }, "altri utenti"},
      {"gruppo", [](const std::string& p) { ::mkdir(p.c_str(), 0700); ::chmod(p.c_str(), 0770); }, "altri utenti"},
      {"collegamento", [&](const std::string& p) { ASSERT_EQ(::symlink(buona.c_str(), p.c_str()), 0); },
       "non è una cartella"},
      {"file", [&](const std::string& p) { dir.Scrivi("file", "x"); (void)p; }, "non è una cartella"},
  };
  for (const auto& c : casi) {
    const std::string p = dir.Percorso(c.nome);
    c.prepara(p);
    std::string descrizione;
    EXPECT_EQ(prova::NumeroErrore([&] { menu::VerificaCartellaPrivata(p); }, &descrizione), 70) << c.nome;
    EXPECT_NE(descrizione.find(c.atteso), std::string::npos) << c.nome << ": " << descrizione;
    EXPECT_NE(descrizione.find(p), std::string::npos) << descrizione;
  }
}

TEST(CartellaRuntime, AFolderAnotherUserOwnsIsRefused) {
  if (::getuid() != 0) GTEST_SKIP() << "serve l'utente root per dare la cartella a un altro utente";
  prova::CartellaTemp dir("runtime");
  const std::string p = dir.Percorso("altrui");
  ASSERT_EQ(::mkdir(p.c_str(), 0700), 0);
  ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
  std::string descrizione;
  EXPECT_EQ(prova::NumeroErrore([&] { menu::VerificaCartellaPrivata(p); }, &descrizione), 70);
  EXPECT_NE(descrizione.find("appartiene a un altro utente"), std::string::npos) << descrizione;
}

TEST(CartellaRuntime, WithoutTheSessionFolderTheSharedTmpFolderIsCheckedToo) {
  const char* prima = std::getenv("XDG_RUNTIME_DIR");
  const std::string salvato = prima ? prima : "";
  ::unsetenv("XDG_RUNTIME_DIR");
  std::string cartella;
  const long errore = prova::NumeroErrore([&] { cartella = menu::CartellaRuntime(); });
  if (prima) ::setenv("XDG_RUNTIME_DIR", salvato.c_str(), 1);
  ASSERT_EQ(errore, 0);
  EXPECT_EQ(cartella, "/tmp/ddt-" + std::to_string(::getuid()));
  struct stat st{};
  ASSERT_EQ(::lstat(cartella.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, ::getuid());
  EXPECT_EQ(st.st_mode & 022, 0u);
}
