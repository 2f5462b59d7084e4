// The program's entry: the application object's start-up runs here.
#include <cstdio>

int main(int argc, char** argv) {
  std::printf("TabroConnect %s\n", TABRO_PRODUCT_VERSION);
  return 0;
}
