// The ReceiverThread: appends every byte received on a TCP socket to a receive area.
#pragma once
#include "receive_area.h"

namespace relvo7link {

// Runs until the peer closes the connection, the socket is shut down, or a
// receive fails other than by its time-out. Never closes the socket.
void receiveLoop(int socketFd, ReceiveArea& area);

}  // namespace relvo7link
