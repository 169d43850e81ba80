#use wholecheck
// the binomial coefficient: the number of ways to choose k of n things
function binom(n,k){
  wholecheck("binom",[n,k]);
  if(n<0)throw Error(qsTranslate("binom","binom(n, k): n must not be negative"));
  if(k<0||k>n)return 0;
  k=Math.min(k,n-k);
  var result=1;
  for(var i=1;i<=k&&isFinite(result);++i)result=result*(n-k+i)/i;
  return Math.round(result);
}
