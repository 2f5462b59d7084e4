#include "app/tabro_client_app.h"

CTabroClientApp theApp;

CTabroClientApp::CTabroClientApp() = default;

CTabroClientApp::~CTabroClientApp() = default;
