#include "ticketprinter/ZupriDLL.h"

#include "ticketprinter/AboutBox.h"
#include "ticketprinter/PrinterTransaction.h"
#include "ticketprinter/SerialPortFactory.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <initializer_list>

namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::size_t kPrintBufferSize = 1000;
constexpr int kLineTextLimit = 252;

// The only state kept between calls: 0 to 3 for COM1 to COM4.
std::atomic<int> g_selectedPort{0};

const std::uint8_t *bytes(const char *data)
{
    return reinterpret_cast<const std::uint8_t *>(data);
}

int send(const std::uint8_t *data, std::size_t length, std::uint8_t *reply, std::size_t replyLength,
         bool special)
{
    static const char *const portNames[] = {"COM1", "COM2", "COM3", "COM4"};
    zupri::Transaction transaction;
    transaction.portName = portNames[g_selectedPort.load()];
    transaction.data = data;
    transaction.length = length;
    transaction.reply = reply;
    transaction.replyLength = replyLength;
    transaction.special = special;
    const std::unique_ptr<zupri::SerialPort> port = zupri::createSerialPort();
    return zupri::runTransaction(*port, transaction);
}

// A printer command answered with one byte.
int command(std::initializer_list<std::uint8_t> sequence, bool special = false)
{
    return send(sequence.begin(), sequence.size(), nullptr, 1, special);
}

// A negative length or a missing buffer sends nothing.
std::size_t usableLength(const char *data, int length)
{
    return data && length > 0 ? static_cast<std::size_t>(length) : 0;
}

int digitValue(unsigned char c)
{
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

} // namespace

extern "C" {

int ZupriAbreGaveta(unsigned char t1, unsigned char t2)
{
    return command({kEsc, 'p', 0x00, t1, t2});
}

int ZupriCaracteresPorLinha(int mode)
{
    const std::uint8_t sent = mode >= '0' && mode <= '2' ? static_cast<std::uint8_t>(mode) : '0';
    return command({kEsc, 'P', sent});
}

int ZupriImpressaoEnfatizada(void)
{
    return command({kEsc, 'E'});
}

int ZupriImpressaoNormal(void)
{
    return command({kEsc, 'M'});
}

int ZupriImprime(const char *data, int length)
{
    // The caller's buffer is copied, so it may change as soon as the call returns.
    std::array<std::uint8_t, kPrintBufferSize> buffer{};
    const std::size_t count = std::min(usableLength(data, length), kPrintBufferSize);
    std::copy_n(bytes(data), count, buffer.begin());
    send(buffer.data(), count, nullptr, 1, false);
    return static_cast<int>(count);
}

int ZupriImprimeLinha(int mode, const char *text, int length)
{
    std::uint8_t sentMode = '0';
    std::size_t width = 40;
    if (mode == '1') {
        sentMode = '1';
        width = 48;
    } else if (mode == '2') {
        sentMode = '2';
        width = 60;
    }
    const std::size_t count =
        std::min({usableLength(text, length), static_cast<std::size_t>(kLineTextLimit), width});
    std::array<std::uint8_t, 3 + 60 + 1> line{kEsc, 'P', sentMode};
    std::copy_n(bytes(text), count, line.begin() + 3);
    line[3 + count] = '\r';
    send(line.data(), count + 4, nullptr, 1, false);
    return static_cast<int>(count);
}

int ZupriInicializaImpressora(void)
{
    return command({kEsc, '@'});
}

int ZupriModoExpandido(int flag)
{
    return command({kEsc, 'W', static_cast<std::uint8_t>(flag < '0' ? '1' : '0')});
}

int ZupriOpenPort(int portCharacter)
{
    const int index = portCharacter >= '0' && portCharacter <= '3' ? portCharacter - '0' : 2;
    g_selectedPort = index;
    return index;
}

int ZupriProgramaTamanhoPagina(const char *twoDigits)
{
    const unsigned char c0 = twoDigits ? static_cast<unsigned char>(twoDigits[0]) : '0';
    const unsigned char c1 = c0 && twoDigits ? static_cast<unsigned char>(twoDigits[1]) : '0';
    // Lengths above 41 lines are cut to 40; shorter ones are sent as their number of lines.
    std::uint8_t lines = 40;
    if (c0 < '4' || (c0 == '4' && c1 <= '1'))
        lines = static_cast<std::uint8_t>(digitValue(c0) * 10 + digitValue(c1));
    return command({kEsc, 'C', lines});
}

int ZupriRSTStatusEmLinha(void)
{
    return command({kEsc, '~', 0x00}, true);
}

int ZupriRSTStatusSensorPapel(void)
{
    return command({kEsc, '~', 0x01}, true);
}

int ZupriSendCmd(const char *data, int length, char *reply, unsigned replyLength, int special)
{
    // Without an area to put a longer reply in, none is waited for.
    if (!reply && replyLength > 1)
        replyLength = 0;
    return send(bytes(data), usableLength(data, length), reinterpret_cast<std::uint8_t *>(reply),
                replyLength, special != 0);
}

int ZupriSobreDLL(void)
{
    zupri::showAboutBox();
    return 1;
}

int ZupriSpecialTxBuffer(const char *data, int length)
{
    return send(bytes(data), usableLength(data, length), nullptr, 1, true);
}

int ZupriStatusImpressora(void)
{
    return send(nullptr, 0, nullptr, 0, false) == zupri::kNotReady ? '0' : '1';
}

int ZupriStatusSensorAutenticacao(void)
{
    std::array<std::uint8_t, 9> reply{};
    const std::uint8_t query[] = {kEsc, 'v'};
    send(query, sizeof query, reply.data(), reply.size(), false);
    return static_cast<signed char>(reply[7]);
}

int ZupriTxBuffer(const char *data, int length)
{
    return send(bytes(data), usableLength(data, length), nullptr, 1, false);
}

void ZupriVersao(char *version, unsigned char n)
{
    std::array<std::uint8_t, 17> reply{};
    const std::uint8_t query[] = {kEsc, 'I', n};
    send(query, sizeof query, reply.data(), reply.size(), false);
    if (version)
        std::memcpy(version, reply.data() + 1, 16);
}

} // extern "C"
