// A socket library that cannot serve, for the tests of quorl.exe's start of
// the socket library: built as WSOCK32.DLL whose start-up call fails with
// "System not ready" (10091), and with WITHOUT_ASYNC_CANCEL as one that
// lacks an entry point. Only the names matter; nothing else is ever called.
#define FAKE(name)                              \
  extern "C" __declspec(dllexport) int name() { \
    return -1;                                  \
  }

FAKE(gethostbyname)
FAKE(gethostbyaddr)
FAKE(htons)
FAKE(inet_addr)
FAKE(socket)
FAKE(setsockopt)
FAKE(connect)
FAKE(send)
FAKE(recv)
FAKE(closesocket)
FAKE(WSACleanup)
FAKE(WSAIsBlocking)
FAKE(WSACancelBlockingCall)
FAKE(WSAAsyncGetHostByName)
FAKE(ioctlsocket)
FAKE(select)
FAKE(getsockopt)
#ifndef WITHOUT_ASYNC_CANCEL
FAKE(WSACancelAsyncRequest)
#endif

extern "C" __declspec(dllexport) int WSAStartup(unsigned short, void*) {
  return 10091;
}

extern "C" __declspec(dllexport) int WSAGetLastError() {
  return 10091;
}
