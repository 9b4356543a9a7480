// Room src/platform/: the forms kit and the services (clock, dialogs, files, screen, registry,
// ending) over Qt and Linux. Used by every other room; it includes nothing of the program above.
//
// The platform services every window and procedure reaches through one reference. The
// application owns the implementations; tests build the same bundle from test doubles.
#pragma once

namespace qf {

class Clock;
class Dialogs;
class Screen;
class Files;
class Registry;
class Ending;
class Beeper;
class Environment;
class SerialPorts;
class KeyingLines;
class WinKeyDriver;
class TcpClients;
class PacketEngine;
class WavePlayers;

struct Platform {
    Clock& clock;
    Dialogs& dialogs;
    Screen& screen;
    Files& files;
    Registry& registry;
    Ending& ending;
    Beeper& beeper;
    Environment& environment;
    SerialPorts& serialPorts;
    KeyingLines& keyingLines;
    WinKeyDriver& winKey;
    TcpClients& tcpClients;
    PacketEngine& packetEngine;
    WavePlayers& wavePlayers;
};

}  // namespace qf
