# Two commands for a new user: `make demo` orders the example cluster,
# `make test` builds and runs every test, the sanitizer build included.

BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
THREAD_BUILD ?= build-thread
WERROR ?= OFF
FUZZ_SECONDS ?= 60
JOBS ?= 2
CMAKE ?= cmake

EXAMPLE := examples/cluster
TEXTS := $(EXAMPLE)/D1_C1_JornalDaManha.txt $(EXAMPLE)/D2_C1_GazetaDoVale.txt \
         $(EXAMPLE)/D3_C1_DiarioSerrano.txt
RELATIONS := $(EXAMPLE)/D1_D2.cst $(EXAMPLE)/D1_D3.cst $(EXAMPLE)/D2_D3.cst

.PHONY: build demo test test-sanitize test-thread fuzz clean

build:
	$(CMAKE) -S . -B $(BUILD) -DSENTRALIGN_WERROR=$(WERROR)
	$(CMAKE) --build $(BUILD) -j $(JOBS)

# Runs in an empty directory, so the start-up files come from data/.
demo: build
	@mkdir -p $(BUILD)/demo
	@cd $(BUILD)/demo && for method in 1 2 3 4 5 6; do \
	  ../sentralign $$method $(CURDIR)/$(EXAMPLE)/resumo.txt ordenado_$$method.txt \
	    3 $(addprefix $(CURDIR)/,$(TEXTS)) 3 $(addprefix $(CURDIR)/,$(RELATIONS)) \
	    > console_$$method.txt || exit 1; \
	  echo "== metodo $$method =="; cat ordenado_$$method.txt; echo; \
	done

test: build test-sanitize
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	$(CMAKE) -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DSENTRALIGN_SANITIZE=ON -DSENTRALIGN_WERROR=$(WERROR)
	$(CMAKE) --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The evaluation's threads under the thread sanitizer: builds only the
# libraries, sentralign-eval and the tests of the threaded evaluation.
test-thread:
	$(CMAKE) -S . -B $(THREAD_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DSENTRALIGN_THREAD_SANITIZE=ON -DSENTRALIGN_BENCH=OFF -DSENTRALIGN_WERROR=$(WERROR)
	$(CMAKE) --build $(THREAD_BUILD) -j $(JOBS) --target sentralign_thread_tests
	cd $(THREAD_BUILD) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ./sentralign_thread_tests

# Every fuzz target for FUZZ_SECONDS seconds each (needs clang).
fuzz:
	WERROR=$(WERROR) JOBS=$(JOBS) fuzz/run.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(THREAD_BUILD) build-fuzz
