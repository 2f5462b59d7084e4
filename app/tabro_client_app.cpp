#include "app/tabro_client_app.h"

#include "app/app_operation_host.h"

CTabroClientApp theApp;

CTabroClientApp::CTabroClientApp() { m_Operation.SetHost(&AppOperationHost()); }

CTabroClientApp::~CTabroClientApp() = default;
