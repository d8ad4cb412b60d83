/* A native library the tests call from scripts: every scalar width, floating
 * point, argument lists longer than the registers, structures by value,
 * pointers written and replaced, native function pointers, output, and
 * faults on purpose. */
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>

#define PROBE __attribute__((visibility("default")))

PROBE bool probe_not(bool v) { return !v; }
PROBE int8_t probe_i8(int8_t v) { return v; }
PROBE uint8_t probe_u8(uint8_t v) { return v; }
PROBE int16_t probe_i16(int16_t v) { return v; }
PROBE uint16_t probe_u16(uint16_t v) { return v; }
PROBE int32_t probe_i32(int32_t v) { return v; }
PROBE uint32_t probe_u32(uint32_t v) { return v; }
PROBE int64_t probe_i64(int64_t v) { return v; }
PROBE uint64_t probe_u64(uint64_t v) { return v; }
/* What the callee saw, widened by C's rules: sign or zero extension. */
PROBE int64_t probe_widen_i8(int8_t v) { return v; }
PROBE uint64_t probe_widen_u16(uint16_t v) { return v; }
PROBE float probe_scale_float(float v, float by) { return v * by; }
PROBE double probe_scale_double(double v, double by) { return v * by; }

/* Nine integers and nine floating-point values interleaved: more than the
 * six integer and eight vector registers. Each argument has its own weight,
 * so an argument in the wrong place changes the sum. */
PROBE double probe_mix(int32_t a, double b, int64_t c, float d, int8_t e, double f, uint16_t g, double h, int32_t i,
                       double j, int32_t k, double l, int64_t m, double n, int32_t o, double p, uint8_t q, double r) {
  return a * 1.0 + b * 2.0 + c * 3.0 + d * 4.0 + e * 5.0 + f * 6.0 + g * 7.0 + h * 8.0 + i * 9.0 + j * 10.0 +
         k * 11.0 + l * 12.0 + m * 13.0 + n * 14.0 + o * 15.0 + p * 16.0 + q * 17.0 + r * 18.0;
}

/* Structures of 4, 6, 12 and 24 bytes and one with a double. */
typedef struct { int16_t a, b; } S4;
typedef struct { int16_t a, b, c; } S6;
typedef struct { int32_t a, b, c; } S12;
typedef struct { int64_t a; int32_t b; double c; } S24;
typedef struct { double d; int32_t i; } SD;

PROBE S4 probe_s4(S4 s) {
  S4 r = {s.b, s.a};
  return r;
}
/* The i32 after the structure must arrive whole as well. */
PROBE S6 probe_s6(S6 s, int32_t after) {
  S6 r = {(int16_t)(s.c + after), s.a, s.b};
  return r;
}
PROBE S12 probe_s12(S12 s) {
  S12 r = {s.a + s.b + s.c, s.a * 2, -s.c};
  return r;
}
PROBE S24 probe_s24(S24 s) {
  S24 r = {s.a * 2, s.b + 1, s.c / 2};
  return r;
}
PROBE SD probe_sd(SD s) {
  SD r = {s.d * 2, s.i + 1};
  return r;
}

/* Pointers: written through, read as an array, replaced. */
PROBE void probe_store(int32_t* target, int32_t value) { *target = value; }
PROBE int64_t probe_sum(const int32_t* values, int32_t count) {
  int64_t sum = 0;
  for (int32_t i = 0; i < count; ++i) sum += values[i];
  return sum;
}
static int32_t replacements[2] = {77, 88};
PROBE int32_t probe_replace(int32_t** cell) {
  int32_t old = **cell;
  *cell = &replacements[1];
  return old;
}
PROBE void probe_replace_null(int32_t** cell) { *cell = 0; }
PROBE int32_t* probe_counter(void) {
  static int32_t counter = 5;
  return &counter;
}
PROBE int32_t probe_read_counter(void) { return *probe_counter(); }
/* An address nothing is mapped at. */
PROBE int32_t* probe_bad_pointer(void) { return (int32_t*)16; }

/* A native function handed out by address. */
static int32_t twice(int32_t v) { return 2 * v; }
typedef int32_t (*Unary)(int32_t);
PROBE Unary probe_twice(void) { return twice; }

PROBE int32_t probe_print(int32_t v) {
  printf("native says %d\n", v);
  return v;
}

/* Faults. */
PROBE int32_t probe_read_null(void) {
  volatile int32_t* nowhere = 0;
  return *nowhere;
}
PROBE int32_t probe_divide(int32_t a, int32_t b) { return a / b; }
PROBE void probe_trap(void) { __builtin_trap(); }
/* Recursion that ends only far beyond any stack: a stack overflow. */
PROBE int32_t probe_recurse(int32_t depth) {
  volatile char frame[256];
  frame[0] = (char)depth;
  if (depth == INT32_MAX) return frame[0];
  return probe_recurse(depth + 1) + frame[0];
}

/* Callbacks: native code calling script functions, on the calling thread
 * and on threads of its own. */
#include <pthread.h>
#include <stdlib.h>

typedef int32_t (*Compare)(const int32_t*, const int32_t*);
PROBE void probe_sort(int32_t* values, int32_t count, Compare compare) {
  qsort(values, (size_t)count, sizeof *values, (int (*)(const void*, const void*))compare);
}
typedef int32_t (*TakesS6)(S6, int32_t);
PROBE int32_t probe_call_s6(TakesS6 callback) {
  S6 s = {1, 2, 3};
  return callback(s, 1000);
}
typedef float (*FloatFunction)(float);
PROBE float probe_call_float(FloatFunction callback, float v) { return callback(v) + 0.5f; }
typedef double (*DoubleFunction)(double);
PROBE double probe_call_double(DoubleFunction callback, double v) { return callback(v) * 2; }
typedef int64_t (*WideFunction)(int8_t, uint16_t, int64_t);
PROBE int64_t probe_call_wide(WideFunction callback) { return callback(-1, 65535, -5000000000LL); }
/* The callback may bind the pointer elsewhere. */
typedef void (*Rebinder)(int32_t**);
PROBE int32_t probe_call_rebinder(Rebinder callback) {
  static int32_t original = 1;
  int32_t* p = &original;
  callback(&p);
  return *p;
}
typedef int32_t (*ByReference)(int32_t*);
PROBE int32_t probe_call_null_reference(ByReference callback) { return callback(0); }
PROBE int32_t probe_call_unary(Unary callback, int32_t v) { return callback(v); }

struct Job {
  Unary callback;
  int32_t argument;
  int32_t result;
  pthread_barrier_t* together;
};
static void* RunJob(void* data) {
  struct Job* job = data;
  if (job->together != NULL) pthread_barrier_wait(job->together);
  job->result = job->callback(job->argument);
  return NULL;
}
/* The callback on a thread the library starts and waits for. */
PROBE int32_t probe_call_on_thread(Unary callback, int32_t v) {
  struct Job job = {callback, v, 0, NULL};
  pthread_t thread;
  if (pthread_create(&thread, NULL, RunJob, &job) != 0) return -1;
  pthread_join(thread, NULL);
  return job.result;
}
/* Two threads that call back at the same moment; the sum of their results. */
PROBE int32_t probe_call_on_two_threads(Unary callback, int32_t a, int32_t b) {
  pthread_barrier_t together;
  pthread_barrier_init(&together, NULL, 2);
  struct Job jobs[2] = {{callback, a, 0, &together}, {callback, b, 0, &together}};
  pthread_t threads[2];
  int started = 0;
  for (; started < 2; ++started) {
    if (pthread_create(&threads[started], NULL, RunJob, &jobs[started]) != 0) break;
  }
  for (int i = 0; i < started; ++i) pthread_join(threads[i], NULL);
  pthread_barrier_destroy(&together);
  return started == 2 ? jobs[0].result + jobs[1].result : -1;
}

/* A thread the library starts and leaves running: the call returns once the
 * callback has begun (the callback calls probe_callback_began), so that the
 * script's run may end while the callback still runs. */
#include <semaphore.h>
static sem_t began;
static pthread_once_t beganOnce = PTHREAD_ONCE_INIT;
static void InitBegan(void) { sem_init(&began, 0, 0); }
static void* RunDetached(void* data) {
  struct Job* job = data;
  job->callback(job->argument);
  free(job);
  return NULL;
}
PROBE int32_t probe_call_detached(Unary callback, int32_t v) {
  pthread_once(&beganOnce, InitBegan);
  struct Job* job = malloc(sizeof *job);
  if (job == NULL) return -1;
  *job = (struct Job){callback, v, 0, NULL};
  pthread_t thread;
  if (pthread_create(&thread, NULL, RunDetached, job) != 0) {
    free(job);
    return -1;
  }
  pthread_detach(thread);
  sem_wait(&began);
  return 0;
}
PROBE int32_t probe_callback_began(void) {
  pthread_once(&beganOnce, InitBegan);
  sem_post(&began);
  return 0;
}
