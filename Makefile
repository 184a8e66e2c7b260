# Front end of the CMake build. `make run` and `make test` are all a new user needs.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
TSAN_BUILD_DIR ?= build-tsan
FUZZ_SECONDS   ?= 30
JOBS           ?= $(shell nproc)
CTEST_ARGS     ?=
PREFIX         ?= /usr/local

# Debian packages the build, the tests, the benchmarks and the fuzzers need.
DEB_PACKAGES = cmake ninja-build ccache g++ pkg-config clang libclang-rt-14-dev clang-format \
               libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgif-dev \
               qt6-l10n-tools qt6-translations-l10n fonts-wqy-microhei python3 \
               fonts-dejavu-core fonts-liberation poppler-utils xvfb lldb

.PHONY: all deps configure build run test test-asan test-tsan fuzz bench bench-check format clean screenshots install translations-update

all: build

deps:
	@missing=""; \
	for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; elif command -v sudo >/dev/null; then SUDO=sudo; \
	  else echo "Run as root: apt-get install -y$$missing"; exit 1; fi; \
	  $$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $$missing \
	    || { echo "Could not install the packages. Run: sudo apt-get install -y$$missing"; exit 1; }; \
	fi

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The windowed program with the example configuration; without a display it
# runs on the offscreen platform (nothing to see, but it starts and stops).
run: build
	@if [ -x $(BUILD_DIR)/src/app/kestrel ]; then \
	  if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then echo "No display: starting on the offscreen platform (Ctrl+C ends it)."; export QT_QPA_PLATFORM=offscreen; fi; \
	  $(BUILD_DIR)/src/app/kestrel examples/PLANT.vxp; \
	else $(BUILD_DIR)/tools/kestrel-cli/kestrel-cli catalog; fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

test-asan: deps
	@[ -f $(ASAN_BUILD_DIR)/build.ninja ] || cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_BENCH=OFF
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The programs whose tests run workers beside the caller: the transports,
# protocol and transfer sequences, the simulator, the device scan dialog.
TSAN_TESTS = comm_tests sim_tests ui_comm_tests ui_online_tests
test-tsan: deps
	@[ -f $(TSAN_BUILD_DIR)/build.ninja ] || cmake -S . -B $(TSAN_BUILD_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DKESTREL_TSAN=ON -DKESTREL_BENCH=OFF
	cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) --target $(TSAN_TESTS)
	@for t in $(TSAN_TESTS); do echo "== $$t"; \
	  QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/tsan.supp" \
	  $(TSAN_BUILD_DIR)/tests/$$t --gtest_brief=1 || exit 1; done

fuzz: deps
	@[ -f $(FUZZ_BUILD_DIR)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_FUZZ=ON -DKESTREL_TESTS=OFF -DKESTREL_BENCH=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@for f in $(FUZZ_BUILD_DIR)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; name=$$(basename $$f); mkdir -p fuzz-corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan.supp $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD_DIR)/ fuzz-corpus/$$name fuzz/seeds/$$name || exit 1; \
	done

screenshots: build
	KESTREL_BLOCK_PICTURES="$(CURDIR)/resources/Block Support/Functions" \
	  $(BUILD_DIR)/tools/screenshots/kestrel-screenshots $(BUILD_DIR)/screenshots examples/PLANT.vxp

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] || continue; $$b || exit 1; done
	@[ ! -x $(BUILD_DIR)/src/app/kestrel ] || bench/startup.sh $(BUILD_DIR)/src/app/kestrel

# Every benchmark once, as briefly as it allows: a benchmark that no longer runs
# fails here (no figure is checked).
bench-check: build
	@for b in $(BUILD_DIR)/bench/bench_*; do [ -x "$$b" ] || continue; \
	  echo "== $$(basename $$b)"; $$b --benchmark_min_time=0.001 >/dev/null || exit 1; done
	@[ ! -x $(BUILD_DIR)/src/app/kestrel ] || RUNS=1 bench/startup.sh $(BUILD_DIR)/src/app/kestrel

# Installs under $(PREFIX) (DESTDIR=/staging/root honoured). The desktop's MIME
# and application caches are refreshed only for a real installation.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	  if command -v update-mime-database >/dev/null; then update-mime-database "$(PREFIX)/share/mime"; fi; \
	  if command -v update-desktop-database >/dev/null; then update-desktop-database "$(PREFIX)/share/applications"; fi; \
	fi

# Refreshes the window translations of every pack from the sources (new texts
# come in unfinished, vanished ones are marked obsolete). Run it after adding or
# changing a window text, translate the unfinished entries, then build.
LUPDATE ?= /usr/lib/qt6/bin/lupdate
LANGUAGE_TS = resources/l.bra/kestrel.ts resources/l.spa/kestrel.ts resources/l.chn/kestrel.ts
translations-update: deps
	$(LUPDATE) -silent -locations none -extensions cpp,h -I src src -ts $(LANGUAGE_TS)
	@for ts in $(LANGUAGE_TS); do python3 tools/lang/ts-fill.py $$(dirname $$ts)/phrases.tsv $$ts; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR) $(TSAN_BUILD_DIR)
