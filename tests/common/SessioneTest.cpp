#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <string>

#include "common/Windll.h"
#include "platform/ui/Form.h"

namespace {

std::string Da(const std::map<std::string, std::string>& ambiente) {
  return Windll::IndirizzoDaAmbiente([&](const std::string& nome) {
    auto it = ambiente.find(nome);
    return it == ambiente.end() ? std::string() : it->second;
  });
}

class Barra : public ::testing::Test {
 protected:
  void SetUp() override {
    prima_ = ui::Screen();
    ui::Screen().Width = 1024 * 15;
    ui::Screen().Height = 768 * 15;
    ui::Screen().TwipsPerPixelX = ui::Screen().TwipsPerPixelY = 15;
    ui::Screen().BarraApp = {};
  }
  void TearDown() override { ui::Screen() = prima_; }
  ui::Schermo prima_;
};

}  // namespace

TEST(Sessione, RemoteClientOverSshIPv4) {
  EXPECT_EQ(Da({{"SSH_CONNECTION", "192.168.10.7 51234 192.168.10.1 22"}}), "192.168.10.7");
  EXPECT_EQ(Da({{"SSH_CLIENT", "10.0.0.5 40000 22"}}), "10.0.0.5");
}

TEST(Sessione, RemoteClientOverSshIPv6) {
  EXPECT_EQ(Da({{"SSH_CONNECTION", "2001:db8:0:0::1 51234 2001:db8::2 22"}}), "2001:db8::1");
  EXPECT_EQ(Da({{"SSH_CLIENT", "fe80::1%eth0 40000 22"}}), "fe80::1%eth0");
  // An IPv4 client seen through an IPv6 socket.
  EXPECT_EQ(Da({{"SSH_CONNECTION", "::ffff:10.1.2.3 5000 ::ffff:10.1.2.1 22"}}), "10.1.2.3");
}

TEST(Sessione, RemoteHostAndRemoteDisplay) {
  EXPECT_EQ(Da({{"REMOTEHOST", "172.16.0.9"}}), "172.16.0.9");
  EXPECT_EQ(Da({{"DISPLAY", "192.168.1.20:0.0"}}), "192.168.1.20");
  EXPECT_EQ(Da({{"DISPLAY", "[2001:db8::5]:1"}}), "2001:db8::5");
  EXPECT_EQ(Da({{"DISPLAY", "2001:db8::6:0"}}), "2001:db8::6");
  EXPECT_EQ(Da({{"DISPLAY", "tcp/10.9.8.7:0"}}), "10.9.8.7");
}

TEST(Sessione, SshComesBeforeTheDisplay) {
  EXPECT_EQ(Da({{"DISPLAY", "localhost:10.0"}, {"SSH_CONNECTION", "10.2.3.4 1 10.2.3.1 22"}}), "10.2.3.4");
}

TEST(Sessione, LocalSessionHasNoClient) {
  EXPECT_EQ(Da({}), "0.0.0.0");
  EXPECT_EQ(Da({{"DISPLAY", ":0"}}), "0.0.0.0");
  EXPECT_EQ(Da({{"DISPLAY", "unix:0"}}), "0.0.0.0");
  EXPECT_EQ(Da({{"DISPLAY", "localhost:10.0"}}), "0.0.0.0");
  EXPECT_EQ(Da({{"SSH_CLIENT", ""}, {"REMOTEHOST", " "}}), "0.0.0.0");
}

TEST(Sessione, OwnSessionIdAndAddress) {
  std::string indirizzo = "x";
  const long id = Windll::LeggiClientSessione(indirizzo);
  EXPECT_EQ(id, static_cast<long>(::getsid(0)));
  long id2 = 0;
  EXPECT_EQ(indirizzo, Windll::IndirizzoClient(id2));
  EXPECT_EQ(id2, id);
  EXPECT_FALSE(indirizzo.empty());
}

TEST_F(Barra, PanelAtTheBottomThatStaysLimitsTheHeight) {
  auto& b = ui::Screen().BarraApp;
  b.Lato = 3;
  b.Alto = 738;
  b.Basso = 768;
  b.Destra = 1024;
  EXPECT_EQ(Windll::AltezzaUtileSchermo(), 738 * 15);  // 11070
  b.NascondiAuto = true;
  EXPECT_EQ(Windll::AltezzaUtileSchermo(), 768 * 15);
}

TEST_F(Barra, PanelAtTheLeftOrNoneLeavesTheWholeHeight) {
  EXPECT_EQ(Windll::AltezzaUtileSchermo(), 768 * 15);
  auto& b = ui::Screen().BarraApp;
  b.Lato = 0;
  b.Destra = 48;
  b.Basso = 768;
  EXPECT_EQ(Windll::AltezzaUtileSchermo(), 768 * 15);
  int lato = 9, sopra = 9;
  long alto = -1, sinistra = -1, destra = -1, basso = -1;
  EXPECT_FALSE(Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso));
  EXPECT_EQ(lato, 0);
  EXPECT_EQ(destra, 48);
}

TEST_F(Barra, StatesOfThePanel) {
  auto& b = ui::Screen().BarraApp;
  int lato = 9, sopra = 9;
  long alto = -7, sinistra = -7, destra = -7, basso = -7;
  EXPECT_FALSE(Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso));
  EXPECT_EQ(lato, -1);
  EXPECT_EQ(sopra, 0);
  EXPECT_EQ(alto, -7);  // left alone without a panel
  b.NascondiAuto = b.SempreSopra = true;
  EXPECT_TRUE(Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso));
  EXPECT_EQ(sopra, -1);
  b.NascondiAuto = false;
  EXPECT_FALSE(Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso));
  EXPECT_EQ(sopra, -1);
  b.SempreSopra = false;
  b.NascondiAuto = true;
  EXPECT_TRUE(Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso));
  EXPECT_EQ(sopra, 0);
}
