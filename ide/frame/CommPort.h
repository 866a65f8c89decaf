// The frame's serial port (MSComm). The port interface and its QSerialPort
// implementation live with the board link in target/.
#pragma once

#include "target/CommPort.h"
#include "target/SerialCommPort.h"
