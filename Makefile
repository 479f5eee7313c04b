# Thin front end; the scripts under scripts/ do the work.
#   make         build the program: build/win32/tidewar.exe (the product), build/win64/tidewar.exe
#   make test    build the native, win64 and win32 presets and run every test
#   make run     build the 64-bit program and play it under Wine (ARGS=clear to pass "clear")
#   make bench   print both exes' sizes, run the model benchmarks, time the start-up under Wine
#                and probe how the window answers and how often the program wakes
#   make art     repaint the skins and the icon, and regenerate the sounds and the tune
#   make dist    build dist/tidewar-VERSION-win32.zip, -win64.zip and -setup.exe and check them
#                (VERSION: CMakeLists.txt's project() line)
NPROC := $(shell nproc)

.PHONY: all bootstrap test run bench art dist

all: bootstrap
	@for preset in win32 win64; do \
	  cmake --preset $$preset >/dev/null && cmake --build --preset $$preset -j$(NPROC) --target tidewar || exit 1; \
	done

bootstrap:
	@scripts/bootstrap

test: bootstrap
	@scripts/test

run: bootstrap
	@scripts/run $(ARGS)

bench: bootstrap
	@scripts/bench

art: bootstrap
	@tools/art/build.sh
	@tools/sounds/build.sh
	@tools/tune/build.sh

dist: bootstrap
	@scripts/dist
