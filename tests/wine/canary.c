/* Returns 7: proves that Wine really runs programs of this width (without 32-bit Wine, a
   32-bit program "runs" and returns 0 without doing anything). */
int main(void) {
  return 7;
}
