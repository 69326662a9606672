# The two commands of the README: `make run` and `make test`. Both install what they need first.
SHELL := /bin/bash
JOBS  ?= $(shell nproc)
BUILD ?= build
ASAN  ?= build-asan
PKG   ?= build-package

APT_PACKAGES := cmake ninja-build g++ qt6-base-dev libgl-dev libx11-dev libgtest-dev libgmock-dev \
                libbenchmark-dev clang libclang-rt-14-dev clang-format \
                fonts-liberation2 fonts-dejavu-core xvfb xauth poppler-utils \
                dpkg-dev desktop-file-utils appstream shared-mime-info \
                lintian man-db bash-completion devscripts ansible-core

.PHONY: deps build asan test format-check run linktest fuzz bench format clean package

# Installs only what is missing, so a second call is quiet and quick.
deps:
	@missing=""; for p in $(APT_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -qq && apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Everything again under AddressSanitizer and UndefinedBehaviorSanitizer, the GUI tests included
# (offscreen); the widget code is where pointer mistakes are easiest to make.
asan: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMX_GUI=ON -DMX_SANITIZE=ON -DMX_BENCH=OFF
	cmake --build $(ASAN) -j $(JOBS)

# Unformatted code fails the test command before anything is built, so formatting never needs a
# commit of its own.
format-check: deps
	@files=$$(git ls-files '*.cpp' '*.h') && echo "$$files" | xargs -r clang-format --dry-run -Werror

test: format-check build asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package, in $(PKG)/: installs with `apt install ./$(PKG)/mxsetup_*.deb`. Its own
# build leaves out the tests, benchmarks and fuzz targets, which are most of the compiling.
package: deps
	cmake -S . -B $(PKG) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMX_TESTS=OFF -DMX_BENCH=OFF
	cmake --build $(PKG) -j $(JOBS)
	cd $(PKG) && cpack -G DEB

run: build
	@bash tools/run-demo.sh $(BUILD) $(if $(XVFB),--xvfb)

# LinkTest_Network connected to a simulated Network-model interface on 127.0.0.1.
linktest: build
	@bash tools/linktest-demo.sh $(BUILD)

# libFuzzer builds of every parser of outside bytes: `make fuzz`, then run build-fuzz/fuzz/<name>.
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMX_GUI=OFF -DMX_SANITIZE=ON -DMX_FUZZ=ON -DMX_BENCH=OFF -DMX_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== bench/fleet.sh"; bash bench/fleet.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) $(PKG) build-fuzz
