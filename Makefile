# One-command set-up: install what is missing, configure, build, then run or test.
BUILD    ?= build
SAN      ?= build-san
EXAMPLE  ?= examples/triangulos.txt
STRATEGY ?= 1110
PACKAGES := g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev coinor-libclp-dev \
            coinor-libcoinutils-dev coinor-libcgl-dev libsuitesparse-dev liblapack-dev libopenblas0-pthread time bc python3 \
            python3-pytest python3-numpy python3-networkx python3-setuptools python3-pip python3-wheel \
            graphviz groff-base
SUDO     := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

FUZZ     ?= build-fuzz
FUZZ_SECONDS ?= 60

# make install: where (PREFIX) and under which staging root (DESTDIR).
PREFIX   ?= /usr/local
DESTDIR  ?=

.PHONY: deps build run test install sanitize bench bench-report fuzz clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) apt-get update -qq && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD)

run: build
	cd $(BUILD) && ./BCTovsel $(STRATEGY) < ../$(EXAMPLE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The four programs, the manual pages and the Python package with its command
# bctovsel (see CMakeLists.txt); run as root for the default prefix.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

sanitize: deps
	cmake -S . -B $(SAN) -G Ninja -DBCT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --test-dir $(SAN) --output-on-failure -j2

bench: deps
	cmake -S . -B $(BUILD) -G Ninja -DBCT_BENCH=ON
	cmake --build $(BUILD)

# The benchmark report: rows written by bench/run_bench.sh -T, drawn to a PNG
# (time per instance, and the performance profile of two or more modes).
TSV    ?= bench/resultados/medio_1110.tsv bench/resultados/medio_r1110.tsv bench/resultados/medio_c1110.tsv
REPORT ?= bench/resultados/medio.png
bench-report:
	@command -v gnuplot >/dev/null || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq gnuplot-nox
	bench/relatorio.sh -o $(REPORT) $(TSV)

# The readers' fuzz target, from the seed corpus, for FUZZ_SECONDS seconds;
# findings are written to $(FUZZ)/ as crash-*, leak-* or timeout-* files.
fuzz: deps
	@command -v clang++ >/dev/null || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DBCT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ) --target fuzz_leitores
	mkdir -p $(FUZZ)/corpus
	cd $(FUZZ) && ./fuzz_leitores -max_total_time=$(FUZZ_SECONDS) -close_fd_mask=3 -timeout=10 \
	  -rss_limit_mb=4096 corpus ../tests/graph/fuzz/corpus

clean:
	rm -rf $(BUILD) $(SAN) $(FUZZ)
